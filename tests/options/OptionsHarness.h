#pragma once

// Base of the user options' tests: a fresh reference host with the bundled
// system folder, the module's resource file, and the UI driver acting as the
// person in the options dialog opened by aapLopt.

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "TranscriptLookups.h"
#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"
#include "model/HostSession.h"
#include "options/CUserOpSheet.h"
#include "options/UserOpApplyLog.h"
#include "store/OptionFile.h"

extern "C" int aapLopt(void);

class OptionsHarness : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        static const long resources = ZqLoadResourceFile(MOBR_RESOURCE_FILE);
        ASSERT_NE(resources, 0);
    }
    void TearDown() override
    {
        driver_.reset();
        HostFixture::TearDown();
    }

    // Runs aapLopt with `script`; every action must have run.
    int runOptions(ZqUiScript script)
    {
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        mobrhost::journalClear();
        const int result = aapLopt();
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
        return result;
    }
    // Runs an options dialog holding only `page` in `slot`; `script` acts on it.
    int runPage(UserOpSlot slot, CUserOpPage& page, ZqUiScript script)
    {
        CUserOpApplyLog log;
        CUserOpSheet sheet(log);
        sheet.SetPage(slot, &page);
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        const int result = sheet.DoModal();
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
        return result;
    }
    std::string shown(const std::string& label) { return readOf(label).text; }
    const ZqUiTranscript& transcript() const { return driver_->transcript(); }
    std::vector<int> messageIds() const { return transcriptlookup::messageIds(transcript()); }
    const ZqControlState& readOf(const std::string& label) const
    {
        return transcriptlookup::readOf(transcript(), label);
    }

    // The option file the host's settings would give now.
    QByteArray optionBytes() const
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("o.ini").toStdString();
        std::string error;
        EXPECT_TRUE(mobrhost::OptionFile::save(mobrhost::HostSession::instance().settings(), path, &error)) << error;
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static std::vector<std::string> callNames(const std::vector<std::string>& among)
    {
        std::vector<std::string> names;
        for (const auto& e : mobrhost::journalEntries())
            if (std::find(among.begin(), among.end(), e.name) != among.end()) names.push_back(e.name);
        return names;
    }
    static int16_t first16(int32_t (*exchange)(int32_t, void*))
    {
        unsigned char block[64] = {};
        exchange(114, block);
        return mobr::bytes::i16(block, 0);
    }

    std::unique_ptr<CZqUiDriver> driver_;
};
