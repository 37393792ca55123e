#pragma once

#include <memory>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include "mobrdlg/ZqWindow.h"

// One QApplication for the whole test program.
class CctlQtApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "cctl_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc, argv);
    }
    // Ends the application before the process exits (Qt cannot end it from
    // exit handlers).
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

// A window holding controls by id, without a layout file: the controls are
// children of `root` named "c<id>", wired by wire() once they exist.
class TestWindow : public CZqWindow {
public:
    struct Notice {
        int id, code;
        long long param;
    };
    TestWindow() : root(std::make_unique<QWidget>()) {}
    QWidget* rootWidget() const override { return root.get(); }
    void wire() { attachControls(); }
    bool OnNotify(int id, int code, long long param) override {
        notices.push_back({id, code, param});
        return true;
    }
    std::unique_ptr<QWidget> root;
    std::vector<Notice> notices;
};

// Types `text` into `w` key by key, as a person would.
inline void typeKeys(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

inline void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(w, &release);
}
