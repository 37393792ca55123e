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

#include "DriverHarness.h"
#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "model/HostSession.h"
#include "options/CUserOpSheet.h"
#include "options/UserOpApplyLog.h"
#include "store/OptionFile.h"

extern "C" int aapLopt(void);

class OptionsHarness : public DriverHarness {
protected:

    // Runs aapLopt with `script`; every action must have run.
    int runOptions(ZqUiScript script)
    {
        drive(std::move(script));
        mobrhost::journalClear();
        const int result = aapLopt();
        expectNoDriverErrors();
        return result;
    }
    // Runs an options dialog holding only `page` in `slot`; `script` acts on it.
    int runPage(UserOpSlot slot, CUserOpPage& page, ZqUiScript script)
    {
        CUserOpApplyLog log;
        CUserOpSheet sheet(log);
        sheet.SetPage(slot, &page);
        drive(std::move(script));
        const int result = sheet.DoModal();
        expectNoDriverErrors();
        return result;
    }
    std::string shown(const std::string& label) { return readOf(label).text; }

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

    static int16_t first16(int32_t (*exchange)(int32_t, void*))
    {
        unsigned char block[64] = {};
        exchange(114, block);
        return mobr::bytes::i16(block, 0);
    }
};
