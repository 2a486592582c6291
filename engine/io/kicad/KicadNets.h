#pragma once

#include "engine/io/kicad/SExpression.h"

#include <charconv>
#include <map>
#include <string>
#include <string_view>

namespace lumora::engine::kicad {

// The board's net table: (net 3 "GND") at the top of the file, read by number from tracks and vias.
class NetNames {
  public:
    void add(const sexpr::Expr& net) {
        names_[static_cast<int>(net.number(1))] = std::string(net.at(2).text());
    }
    int count() const { return static_cast<int>(names_.size()); }

    // The net name of an item's (net n) or (net n "name"); newer files may write (net "name").
    std::string nameOf(const sexpr::Expr& item) const {
        const std::optional<sexpr::Expr> net = item.find("net");
        if (!net || net->size() < 2) {
            return {};
        }
        if (net->size() > 2) {
            return std::string(net->at(2).text());
        }
        const std::string_view atom = net->at(1).text();
        int number = 0;
        const auto [end, error] = std::from_chars(atom.data(), atom.data() + atom.size(), number);
        if (error != std::errc{} || end != atom.data() + atom.size()) {
            return std::string(atom);
        }
        const auto found = names_.find(number);
        if (found == names_.end()) {
            net->fail("net " + std::to_string(number) + " is not in the board's net table");
        }
        return found->second;
    }

  private:
    std::map<int, std::string> names_;
};

} // namespace lumora::engine::kicad
