#pragma once

#include "engine/io/kicad/SExpression.h"

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::engine::kicad {

// The board's net table: (net 3 "GND") at the top of the file, read by number from tracks and vias.
class NetNames {
  public:
    void add(const sexpr::Expr& net) {
        const std::optional<int> number = netNumber(net.at(1).text());
        if (!number) {
            net.at(1).fail(
                sexpr::concat({"expected a net number in (net ...), found \"", net.at(1).text(), "\""}));
        }
        names_[*number] = std::string(net.at(2).text());
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
        const std::optional<int> number = netNumber(atom);
        if (!number) {
            return std::string(atom);
        }
        const auto found = names_.find(*number);
        if (found == names_.end()) {
            net->fail("net " + std::to_string(*number) + " is not in the board's net table");
        }
        return found->second;
    }

  private:
    static std::optional<int> netNumber(std::string_view atom) {
        int number = 0;
        const auto [end, error] = std::from_chars(atom.data(), atom.data() + atom.size(), number);
        if (error != std::errc{} || end != atom.data() + atom.size()) {
            return std::nullopt;
        }
        return number;
    }

    std::map<int, std::string> names_;
};

} // namespace lumora::engine::kicad
