#include "desktop/MarkerListExport.h"

#include <array>
#include <charconv>

namespace lumora::desktop {

namespace {

// A field in quotes, its quotes doubled, when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

// The shortest text that reads back as the same number, whatever the user's locale.
std::string numberText(double value) {
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? std::string(text.data(), end) : std::string();
}

void addLine(std::string& csv, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        csv += (i == 0 ? "" : ",") + csvField(fields[i]);
    }
    csv += "\r\n";
}

} // namespace

std::string markerListCsv(const MarkerFilter& list) {
    const auto& table = static_cast<const MarkerTable&>(*list.sourceModel());
    std::string csv;
    std::vector<std::string> fields;
    for (int column = 0; column < MarkerTable::ColumnCount; ++column) {
        fields.push_back(table.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
    }
    fields.insert(fields.end(), {"X", "Y", "Key"});
    addLine(csv, fields);
    for (int row = 0; row < list.rowCount(); ++row) {
        const int source = list.mapToSource(list.index(row, 0)).row();
        fields.clear();
        for (int column = 0; column < MarkerTable::ColumnCount; ++column) {
            fields.push_back(table.index(source, column).data().toString().toStdString());
        }
        const engine::DrcMarker& marker = table.marker(source);
        fields.insert(fields.end(),
                      {numberText(marker.at.x), numberText(marker.at.y), table.row(source).key});
        addLine(csv, fields);
    }
    return csv;
}

} // namespace lumora::desktop
