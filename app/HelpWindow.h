#pragma once

#include <QDialog>

class QLabel;

// The help window: shows the topic that a dialog asked help for. One window
// is reused for every request.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showTopic(int topic);
    int topic() const { return topic_; }

    // The text shown for a topic.
    static QString topicText(int topic);

private:
    QLabel* text_ = nullptr;   // owned by the window (Qt parent)
    int topic_ = 0;
};
