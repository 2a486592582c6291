#pragma once

#include "engine/io/kicad/SExpression.h"

#include <algorithm>
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

    // The net name of an item's (net n) or (net n "name"); newer files may write (net "name"). A
    // net KiCad makes for a single unconnected pad is none.
    std::string nameOf(const sexpr::Expr& item) const {
        const std::string name = writtenName(item);
        return isUnconnectedPadNet(name) ? std::string() : name;
    }

    // KiCad 6 and later give every pad without a net one of its own, "unconnected-(U1-Pad3)" or
    // "unconnected-(U1-NC-Pad3)": no net joins anything there.
    static bool isUnconnectedPadNet(std::string_view name) {
        return name.starts_with("unconnected-(") && name.ends_with(")");
    }

  private:
    std::string writtenName(const sexpr::Expr& item) const {
        const std::optional<sexpr::Expr> net = item.find("net");
        if (!net || net->size() < 2) {
            return {};
        }
        if (net->size() > 2) {
            return std::string(net->at(2).text());
        }
        const std::string_view atom = net->at(1).text();
        if (!isWholeNumber(atom)) {
            return std::string(atom);
        }
        const std::optional<int> number = netNumber(atom);
        const auto found = number ? names_.find(*number) : names_.end();
        if (found == names_.end()) {
            net->fail(sexpr::concat({"net ", atom, " is not in the board's net table"}));
        }
        return found->second;
    }

    // Digits, perhaps after a minus: a net number, however large; a number the table cannot hold is
    // no net's name either.
    static bool isWholeNumber(std::string_view atom) {
        if (atom.starts_with('-')) {
            atom.remove_prefix(1);
        }
        return !atom.empty() && std::ranges::all_of(atom, [](char c) { return c >= '0' && c <= '9'; });
    }

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
