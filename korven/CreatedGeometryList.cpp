#include "korven/CreatedGeometryList.h"

namespace lumora {

namespace {
CreatedGeometryList* g_list = nullptr;
} // namespace

CreatedGeometryList* frmDebugList() {
    return g_list;
}

void setFrmDebugList(CreatedGeometryList* list) {
    g_list = list;
}

} // namespace lumora
