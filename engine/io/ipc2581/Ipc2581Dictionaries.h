#pragma once

#include "engine/model/Shapes.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine::ipc2581 {

// The shapes a dictionary entry or a feature stands for, in its own frame.
using Shapes = std::vector<Shape>;

// The file's dictionaries (DictionaryStandard, DictionaryUser, DictionaryLineDesc,
// DictionaryFillDesc) by the ids features refer to them by. Each dictionary writes its numbers in
// units of its own; entries are kept in them and scaled to the units asked for when used.
class Dictionaries {
  public:
    enum class Kind { Standard, User, LineDesc, FillDesc };

    void setUnits(Kind kind, std::string units) { units_[index(kind)] = std::move(units); }
    const std::string& units(Kind kind) const { return units_[index(kind)]; }

    void addShapes(Kind kind, std::string id, Shapes shapes);
    void addLineWidth(std::string id, double width) { lineWidths_[std::move(id)] = width; }
    void addFill(std::string id, bool hollow) { hollow_[std::move(id)] = hollow; }

    // The entry's shapes in `units`; none for an unknown id.
    std::optional<Shapes> shapes(Kind kind, std::string_view id, std::string_view units) const;
    std::optional<double> lineWidth(std::string_view id, std::string_view units) const;
    // Whether a fill description draws only the outline; none for an unknown id.
    std::optional<bool> hollow(std::string_view id) const;

  private:
    static std::size_t index(Kind kind) { return static_cast<std::size_t>(kind); }

    std::string units_[4];
    std::map<std::string, Shapes, std::less<>> standard_;
    std::map<std::string, Shapes, std::less<>> user_;
    std::map<std::string, double, std::less<>> lineWidths_;
    std::map<std::string, bool, std::less<>> hollow_;
};

// Shapes scaled about the origin, exactly unchanged by a factor of 1.
Shapes scaled(Shapes shapes, double factor);

} // namespace lumora::engine::ipc2581
