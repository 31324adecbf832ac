#include "doc/PostalTable.h"

#include "layouts/LayoutRoot.h"
#include "zklib/ZkFile.h"

CPostalCodeTable& BundledPostalTable() {
    static CPostalCodeTable table(std::string(
        ZkFile_MakePath(FindBundledLayoutRoot(ZkFile_GetModuleDirName()), "jp-postal.tsv.gz")
            .view()));
    return table;
}
