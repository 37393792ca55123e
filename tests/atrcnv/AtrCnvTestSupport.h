#pragma once

// What the conversion tests share: a host with the default figure as the
// current figure, reference figure files made from the default figure and
// changed through the named functions, and a listener that records what the
// conversion would have shown.

#include <functional>
#include <string>
#include <vector>

#include <QFile>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "atrcnv/AtrCnvTypes.h"
#include "frame/HostApi.h"
#include "model/Figure.h"
#include "store/FigureFile.h"

namespace cnvtest {

struct RecordingListener : atrcnv::Listener {
    std::vector<int> messages, warnings;
    std::vector<std::string> notes;
    int rebuilt = 0;
    int message(int id, unsigned) override
    {
        messages.push_back(id);
        return 1;
    }
    void warning(int id) override { warnings.push_back(id); }
    void targetsChanged(atrcnv::Kind) override { ++rebuilt; }
    void note(const std::string& text) override { notes.push_back(text); }
};

// The four tables of a figure as edit copies, committed together.
struct Tables {
    void* pens;
    void* penColours;
    void* widths;
    void* colours;
};

inline void editFigure(short fig, const std::function<void(const Tables&)>& edit)
{
    Tables t{hostapi::aatFigEditPenInfo(fig), hostapi::aatFigEditPenExInfo(fig), hostapi::aatFigEditWidInfo(fig),
             hostapi::aatFigEditColInfo(fig)};
    edit(t);
    hostapi::aatFigRestoreColInfo(fig, t.colours, 0);
    hostapi::aatFigRestoreWidInfo(fig, t.widths, 0);
    hostapi::aatFigRestorePenInfo(fig, t.pens, 0);
    hostapi::aatFigRestorePenExInfo(fig, t.penColours, 0);
}

inline int addColour(const Tables& t, const char* name, int r, int g, int b)
{
    const int n = hostapi::aatColNewInfo(t.colours, name);
    hostapi::aatColSetRGB(t.colours, n, r, g, b);
    return n;
}

inline int addWidth(const Tables& t, const char* name, double width, int plotPen = 1)
{
    const int n = hostapi::aatWidNewInfo(t.widths, name);
    hostapi::aatWidSetWidth(t.widths, n, width);
    hostapi::aatWidSetPlotPen(t.widths, n, plotPen);
    return n;
}

inline int addPen(const Tables& t, const char* name, int style, const char* width, const char* colour)
{
    const int n = hostapi::aatPenNewInfo(t.pens, name);
    hostapi::aatPenExNewInfo(t.penColours, t.pens, n);
    hostapi::aatPenSetPlotStyle(t.pens, n, style);
    hostapi::aatPenSetWidth(t.pens, n, hostapi::aatWidFindName(t.widths, width));
    hostapi::aatPenExSetColor(t.penColours, t.pens, n, colour ? hostapi::aatColFindName(t.colours, colour) : 0);
    return n;
}

// Writes a figure file made from the default figure changed by `edit`.
inline void writeReference(const std::string& path, const std::function<void(const Tables&)>& edit)
{
    auto& model = figtest::model();
    const short fig = model.addFigure(mobrhost::Figure::makeDefault(), true);
    editFigure(fig, edit);
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*model.figure(fig), path, &error)) << error;
    model.closeFigure(fig);
}

inline std::string readBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll().toStdString();
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

}  // namespace cnvtest
