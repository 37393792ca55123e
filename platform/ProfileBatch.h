#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mobr/export.h"

namespace mobr {

// Many private-profile writes to one file, applied in one durable, atomic
// replace of the file. Each write has the meaning of WritePrivateProfileStringA
// and the writes apply in the order given:
//
//     mobr::ProfileBatch batch("/path/MOBRFAC.INI");
//     batch.write("RefHist", "Ref001", "a.fig");
//     batch.write("DefHist", nullptr, nullptr);  // delete the section
//     if (!batch.commit()) { ... }
//
// Nothing touches the file before commit(). An invalid write (see
// WritePrivateProfileStringA) makes the whole batch fail at commit() with
// nothing written.
class MOBR_API ProfileBatch {
public:
    explicit ProfileBatch(std::string fileName);

    // Same arguments as WritePrivateProfileStringA without the file; a null
    // key deletes the section, a null value the key.
    void write(const char* section, const char* key, const char* value);

    // Applies every write and replaces the file once (not at all when the
    // bytes come out unchanged). Returns 1 on success, 0 when the file could
    // not be written or a write was invalid; the file is then unchanged. The
    // list of writes is emptied either way.
    int commit();

    std::size_t size() const { return writes_.size(); }

    struct Write {
        std::string section;
        std::optional<std::string> key;
        std::optional<std::string> value;
        bool valid = true;
    };

private:
    std::string fileName_;
    std::vector<Write> writes_;
};

}  // namespace mobr
