// mobr convert, run as a person runs it: the program with its module, on
// copies of the sample drawing, against the bundled reference drawing and
// definition file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "store/FigureJson.h"

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

class BatchConvertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        std::string error;
        for (const char* name : {"a.fig", "b.fig", "c.fig"})
            ASSERT_TRUE(FigureDocument::importJson(MOBR_SAMPLE_FIGURE, path(name).toStdString(), &error)) << error;
        QFile::copy(MOBR_CONVERSION_SAMPLES "/reference.fig", path("reference.fig"));
        QFile::copy(MOBR_CONVERSION_SAMPLES "/standard.fac", path("standard.fac"));
        QFile broken(path("broken.fig"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a drawing");
        QDir(dir_.path()).mkdir("out");
    }
    QString path(const QString& name) const { return dir_.path() + "/" + name; }
    QByteArray bytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    Outcome convert(QStringList arguments, const QString& reference = "reference.fig")
    {
        QProcess p;
        p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        arguments = QStringList{"convert", "--reference", path(reference), "--definition", path("standard.fac")} + arguments;
        p.start(MOBR_PROGRAM, arguments);
        EXPECT_TRUE(p.waitForFinished(60000));
        return Outcome{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    // Pen names of the drawing's elements, in element order.
    static QString penNames(const QString& file)
    {
        std::string error;
        const auto figure = FigureDocument::read(file.toStdString(), &error);
        if (!figure) return QString::fromStdString(error);
        QString names;
        const nlohmann::json doc = mobrhost::FigureJson::toJson(*figure, false);
        for (const auto& p : doc["pens"]) names += QString::fromStdString(p["name"].get<std::string>()) + " ";
        return names.trimmed();
    }

    QTemporaryDir dir_;
};

TEST_F(BatchConvertTest, WorkersConvertEveryGoodDrawingAndWriteNothingForABadOne)
{
    const Outcome run = convert({"--out", path("out"), "--jobs", "2", path("a.fig"), path("b.fig"), path("broken.fig"),
                             path("c.fig")});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    for (const char* name : {"a.fig", "b.fig", "c.fig"})
        EXPECT_EQ(penNames(path("out/") + name), "CONTOUR HIDDEN CENTRE CONSTRUCTION") << name;
    EXPECT_EQ(bytes("out/broken.fig"), "<missing>");
    EXPECT_TRUE(run.out.contains("3 of 4 drawings converted, 1 failed")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("entries applied: colours 9, pens 15, widths 9")) << run.out.toStdString();
    EXPECT_EQ(penNames(path("a.fig")), "SOLID DASHED DOTTED CHAIN ASSIST");  // the originals stay
}

TEST_F(BatchConvertTest, InPlaceReplacesOnlyWhatConverted)
{
    const QByteArray before = bytes("a.fig");
    const Outcome failed = convert({"--in-place", path("a.fig")}, "broken.fig");
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.contains("the reference drawing did not load")) << failed.out.toStdString();
    EXPECT_EQ(bytes("a.fig"), before);

    const Outcome done = convert({"--in-place", "--jobs", "1", path("a.fig")});
    EXPECT_EQ(done.status, 0) << done.out.toStdString() << done.err.toStdString();
    EXPECT_EQ(penNames(path("a.fig")), "CONTOUR HIDDEN CENTRE CONSTRUCTION");
    EXPECT_EQ(QDir(dir_.path()).entryList({"*.saving-*"}), QStringList());
}

// A DXF drawing converts like a figure file and is written back as DXF under
// its own name.
TEST_F(BatchConvertTest, DxfDrawingsConvertAndStayDxf)
{
    ASSERT_TRUE(QFile::copy(MOBR_SAMPLE_DXF, path("d.dxf")));
    const Outcome run = convert({"--out", path("out"), "--jobs", "1", path("d.dxf")});
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(bytes("out/d.dxf").contains("SECTION")) << "not written as DXF";
    EXPECT_EQ(penNames(path("out/d.dxf")), "CONTOUR HIDDEN CENTRE CONSTRUCTION");
}

TEST_F(BatchConvertTest, ConflictingOutputsAreRefusedBeforeAnythingIsWritten)
{
    QDir(dir_.path()).mkdir("other");
    QFile::copy(path("a.fig"), path("other/a.fig"));
    const Outcome run = convert({"--out", path("out"), path("a.fig"), path("other/a.fig")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("would be written twice")) << run.err.toStdString();
    EXPECT_EQ(bytes("out/a.fig"), "<missing>");

    // A definition whose path the host could not take is refused by name.
    const QString deep = QString(200, 'd') + "/" + QString(200, 'e');
    ASSERT_TRUE(QDir(dir_.path()).mkpath(deep));
    QFile::copy(path("standard.fac"), path(deep + "/" + QString(150, 'f') + ".fac"));
    QProcess p;
    p.start(MOBR_PROGRAM, {"convert", "--reference", path("reference.fig"), "--definition",
                           path(deep + "/" + QString(150, 'f') + ".fac"), "--out", path("out"), path("a.fig")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("too long for the host"));
    EXPECT_EQ(bytes("out/a.fig"), "<missing>");
}

}  // namespace
