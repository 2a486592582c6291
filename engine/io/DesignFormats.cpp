#include "engine/io/DesignFormats.h"

#include "engine/io/DesignFile.h"
#include "engine/io/ipc2581/Ipc2581File.h"
#include "engine/io/kicad/KicadBoard.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lumora::engine {

namespace {

constexpr std::array<std::string_view, 1> kNativeExtensions{".json"};
constexpr std::array<std::string_view, 1> kKicadExtensions{".kicad_pcb"};
constexpr std::array<std::string_view, 2> kIpc2581Extensions{".xml", ".cvg"};

bool startsLikeJson(std::string_view start) {
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && start[first] == '{';
}

OpenedDesign readNative(const std::filesystem::path& path) {
    return {loadDesign(path)};
}

OpenedDesign readKicad(const std::filesystem::path& path) {
    kicad::BoardImport imported = kicad::loadKicadBoard(path);
    return {std::move(imported.design), std::move(imported.notes)};
}

OpenedDesign readIpc2581(const std::filesystem::path& path) {
    ipc2581::Ipc2581Import imported = ipc2581::loadIpc2581(path);
    return {std::move(imported.design), std::move(imported.notes)};
}

// The native format comes first: it is read when nothing else fits.
constexpr std::array kFormats{
    DesignFormat{"KORVEN design", "KORVEN designs", kNativeExtensions, startsLikeJson, readNative},
    DesignFormat{"KiCad board", "KiCad boards", kKicadExtensions, kicad::isKicadBoard, readKicad},
    DesignFormat{"IPC-2581", "IPC-2581 files", kIpc2581Extensions, ipc2581::isIpc2581, readIpc2581},
};

std::string lowerCase(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool hasExtension(const DesignFormat& format, const std::filesystem::path& path) {
    const std::string extension = lowerCase(path.extension().string());
    return std::ranges::find(format.extensions, extension) != format.extensions.end();
}

// "*.xml *.cvg"
std::string patterns(const DesignFormat& format, std::string_view separator) {
    std::string text;
    for (std::string_view extension : format.extensions) {
        text += (text.empty() ? "*" : std::string(separator) + "*") + std::string(extension);
    }
    return text;
}

} // namespace

std::span<const DesignFormat> designFormats() {
    return kFormats;
}

const DesignFormat& formatOf(const std::filesystem::path& path, std::string_view start) {
    const auto byStart =
        std::ranges::find_if(kFormats, [&](const DesignFormat& f) { return f.recognises(start); });
    if (byStart != kFormats.end()) {
        return *byStart;
    }
    const auto byName =
        std::ranges::find_if(kFormats, [&](const DesignFormat& f) { return hasExtension(f, path); });
    return byName != kFormats.end() ? *byName : kFormats.front();
}

std::string designFormatList() {
    std::string text;
    for (const DesignFormat& format : kFormats) {
        text += (text.empty() ? "" : ", ") + std::string(format.name) + " (" + patterns(format, ", ") + ")";
    }
    return text;
}

std::string designDialogFilter() {
    std::string every;
    std::string each;
    for (const DesignFormat& format : kFormats) {
        every += (every.empty() ? "" : " ") + patterns(format, " ");
        each += ";;" + std::string(format.dialogName) + " (" + patterns(format, " ") + ")";
    }
    return "Designs (" + every + ")" + each;
}

} // namespace lumora::engine
