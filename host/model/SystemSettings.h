#pragma once

// The host's system settings: every value the settings functions read and
// write, held in memory and saved to option files (the user options) and to
// the system file (folders, current template, recent files). A plain value
// type: copying it takes a snapshot, assigning it back restores one, which is
// how a load that fails halfway leaves the settings untouched.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "mobr/export.h"
#include "mobr/host_types.h"

namespace mobrhost {

struct Rgb {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// One entry of a directory list: display name (may be empty) and directory
// text ending with "/".
struct FolderEntry {
    std::string name;
    std::string directory;
};

// A reference numeric parameter: name (at most 11 bytes), caption (at most
// 16 bytes), value.
struct RefParameter {
    std::string name;
    std::string caption;
    double value = 0;
};

// A point-mode search table: a name of at most 15 bytes (empty: undefined)
// and sixteen 16-bit search kinds, the list ending at the first 0xFFFF.
// `bytes` is the 48-byte form handed out by aasPModeTableGet.
struct MOBR_API SearchTable {
    std::string name;
    std::array<uint16_t, mobr::kHostSearchKinds> kinds{};
    std::array<unsigned char, mobr::kHostSearchTableBytes> bytes{};
    void refreshBytes();
};

// The blocks exchanged with direction codes 114/119, by function name.
struct BlockSpec {
    const char* name;
    std::size_t size;
};

class MOBR_API SystemSettings {
public:
    static constexpr int kSystemColours = 64;
    static constexpr int kSketchColours = 4;
    static constexpr int kRecentFiles = 80;
    static constexpr int kUserSearchTables = 4;
    static constexpr int kInputTypes = 4;
    static constexpr int kAttributeSlots = 32;

    // The defaults of a fresh host (documented in docs/host.md).
    SystemSettings();

    // Every block, in a fixed order; size 0 for an unknown name.
    static const std::vector<BlockSpec>& blockSpecs();
    static std::size_t blockSize(const std::string& name);
    // The block's bytes (exactly blockSize(name) of them); null for an
    // unknown name.
    unsigned char* block(const std::string& name);
    const unsigned char* block(const std::string& name) const;

    // Named numbers (integers are held as doubles and read back truncated)
    // and texts; an unknown name reads as 0 / empty. Names beginning with
    // "Run." are the running host's state (applied tool bar style, counts of
    // requests) and are never saved.
    double number(const std::string& key) const;
    int32_t integer(const std::string& key) const { return static_cast<int32_t>(number(key)); }
    void setNumber(const std::string& key, double value) { numbers_[key] = value; }
    std::string text(const std::string& key) const;
    void setText(const std::string& key, const std::string& value) { texts_[key] = value; }
    const std::map<std::string, double>& numbers() const { return numbers_; }
    const std::map<std::string, std::string>& texts() const { return texts_; }

    Rgb& systemColour(int index) { return systemColours_.at(static_cast<std::size_t>(index)); }
    const Rgb& systemColour(int index) const { return systemColours_.at(static_cast<std::size_t>(index)); }
    Rgb& sketchColour(int which) { return sketchColours_.at(static_cast<std::size_t>(which - 1)); }
    const Rgb& sketchColour(int which) const { return sketchColours_.at(static_cast<std::size_t>(which - 1)); }

    // The user numeric parameter table, 40 records of 22 bytes.
    std::array<unsigned char, mobr::kHostComNumRecordBytes * mobr::kHostComNumRecordCount>& comNumUser()
    {
        return comNumUser_;
    }
    const auto& comNumUser() const { return comNumUser_; }
    std::vector<RefParameter>& refParameters() { return refParameters_; }
    const std::vector<RefParameter>& refParameters() const { return refParameters_; }

    // Search table 0 is the base table, 1..4 the user tables 0..3.
    SearchTable& searchTable(int table) { return searchTables_.at(static_cast<std::size_t>(table)); }
    const SearchTable& searchTable(int table) const { return searchTables_.at(static_cast<std::size_t>(table)); }
    // Search tables being set again (aasSchBaseTableInit .. aasSchTableCreate);
    // not part of any file.
    SearchTable& pendingSearchTable(int table) { return pendingSearchTables_.at(static_cast<std::size_t>(table)); }
    std::array<unsigned char, mobr::kHostInputTableBytes>& inputTable(int type)
    {
        return inputTables_.at(static_cast<std::size_t>(type));
    }
    const auto& inputTable(int type) const { return inputTables_.at(static_cast<std::size_t>(type)); }


    // System-file side: folders, recent files, the template menu.
    std::vector<FolderEntry>& templateFolders() { return templateFolders_; }
    const std::vector<FolderEntry>& templateFolders() const { return templateFolders_; }
    std::vector<FolderEntry>& workFolders() { return workFolders_; }
    const std::vector<FolderEntry>& workFolders() const { return workFolders_; }
    std::vector<FolderEntry>& figTempFolders() { return figTempFolders_; }
    const std::vector<FolderEntry>& figTempFolders() const { return figTempFolders_; }
    std::string& recentFile(int slot) { return recentFiles_.at(static_cast<std::size_t>(slot)); }
    const std::string& recentFile(int slot) const { return recentFiles_.at(static_cast<std::size_t>(slot)); }
    std::vector<std::string>& templateMenu() { return templateMenu_; }
    const std::vector<std::string>& templateMenu() const { return templateMenu_; }

    // Default folders below a system folder (text ending with "/").
    void setDefaultFolders(const std::string& systemFolder);

private:
    std::map<std::string, std::vector<unsigned char>> blocks_;
    std::map<std::string, double> numbers_;
    std::map<std::string, std::string> texts_;
    std::array<Rgb, kSystemColours> systemColours_{};
    std::array<Rgb, kSketchColours> sketchColours_{};
    std::array<unsigned char, mobr::kHostComNumRecordBytes * mobr::kHostComNumRecordCount> comNumUser_{};
    std::vector<RefParameter> refParameters_;
    std::array<SearchTable, 1 + kUserSearchTables> searchTables_{};
    std::array<SearchTable, 1 + kUserSearchTables> pendingSearchTables_{};
    std::array<std::array<unsigned char, mobr::kHostInputTableBytes>, kInputTypes> inputTables_{};
    std::vector<FolderEntry> templateFolders_;
    std::vector<FolderEntry> workFolders_;
    std::vector<FolderEntry> figTempFolders_;
    std::array<std::string, kRecentFiles> recentFiles_{};
    std::vector<std::string> templateMenu_;
};

}  // namespace mobrhost
