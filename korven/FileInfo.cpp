#include "korven/FileInfo.h"

#include "korven/KorvenFailure.h"

#include <utility>

namespace lumora {

void FileList::clear() {
    entries_.assign(1, FileInfo{});
    count_ = 0;
}

void FileList::append(const FileInfo& file) {
    ++count_;
    entries_.resize(count_);
    entries_.back() = file;
}

const FileInfo& FileList::at(int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) {
        raiseSubscriptOutOfRange("clsKORVEN");
    }
    return entries_[index];
}

FileInfo& FileList::at(int32_t index) {
    return const_cast<FileInfo&>(std::as_const(*this).at(index));
}

} // namespace lumora
