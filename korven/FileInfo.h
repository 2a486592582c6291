#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

// A surface pair of geometry numbers; 0 means none.
struct GeomPair {
    int16_t topGeomNum = 0;
    int16_t botGeomNum = 0;
};

// One KORVEN file (a board or a panel) of the document.
struct FileInfo {
    int32_t Position = 0; // KORVEN's file number, the filePos of the checks
    std::string FileName;
    int32_t GeomNum = 0; // the file's own block
    bool Visible = false;
    GeomPair sViaGeom;
    GeomPair sPinGeom;
    GeomPair sTPGeom;
    GeomPair sFeatureGeom;
    GeomPair sMaskGeom;
};

// A list with lower bound 0 that keeps one blank entry while it is empty, so that its upper bound
// is 0 both for no entry and for one.
class FileList {
  public:
    FileList() { clear(); }

    void clear();
    void append(const FileInfo& file);

    int16_t count() const { return count_; }
    int16_t lbound() const { return 0; }
    int16_t ubound() const { return static_cast<int16_t>(entries_.size() - 1); }

    // Throws RunnerError "Subscript out of range" outside lbound..ubound.
    FileInfo& at(int32_t index);
    const FileInfo& at(int32_t index) const;

  private:
    std::vector<FileInfo> entries_;
    int16_t count_ = 0;
};

} // namespace lumora
