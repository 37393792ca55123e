#pragma once

// mobr convert: one conversion definition applied to many drawings without a
// dialog, through the settings module's batch entry point (the same code as
// the conversion sheet).
//
//   mobr convert --reference REF --definition DEF.fac [--out DIR | --in-place]
//                [--jobs N] FIGURE...
//
// Each drawing is opened as the host's current figure, converted, and
// written atomically (temporary file, then rename) to DIR/<its name> or over
// itself; a drawing whose conversion fails is not written, and with
// --in-place the original stays until its replacement is complete. Drawings
// are shared out to N worker processes (default: one per core), each a
// `mobr convert --worker` with a host of its own, since one host model per
// process is what the host allows. Progress is a line per drawing, or a bar
// on a terminal; a summary follows.

#include <cstdio>
#include <functional>
#include <string>

#include <QJsonObject>
#include <QString>
#include <QStringList>

class SettingsModule;

class BatchConvert {
public:
    struct Options {
        QString reference;      // figure file (file system path)
        QString definition;     // definition file (file system path)
        QString outFolder;      // empty with inPlace
        bool inPlace = false;
        int jobs = 0;           // 0: one per core
        QString systemFolder;   // empty: a fresh temporary one per process
        QString workerProgram;  // the program started as worker (default: this one)
        QStringList figures;
    };

    // Exit status: 0 every drawing converted, 1 some did not, 2 the command
    // could not start (bad options, files missing, no module).
    static int run(const Options& options, FILE* out, FILE* err);

    // The worker side: reads drawing paths (one per line) from standard
    // input and answers each with one JSON line on standard output.
    static int runWorker(const Options& options);

    // Converts one drawing in this process (the host and the module are up):
    // {"file", "output", "ok", "error", "report"}.
    static QJsonObject convertOne(SettingsModule& module, const Options& options, const QString& figure);

    // Where a drawing's result goes.
    static QString outputPath(const Options& options, const QString& figure);
    // What is wrong with the options before anything starts; empty when fine.
    static QString problem(const Options& options);
};
