#include "log/FileFailures.h"

#include <mutex>
#include <utility>

namespace lumora {

namespace {

struct FailureList {
    std::mutex guard;
    std::vector<FileFailure> failures;
};

FailureList& failureList() {
    static FailureList list;
    return list;
}

} // namespace

void noteFileFailure(FileFailure failure) {
    FailureList& list = failureList();
    std::lock_guard lock(list.guard);
    list.failures.push_back(std::move(failure));
}

std::vector<FileFailure> takeFileFailures() {
    FailureList& list = failureList();
    std::lock_guard lock(list.guard);
    return std::exchange(list.failures, {});
}

} // namespace lumora
