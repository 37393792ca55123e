#pragma once

#include <functional>
#include <string>

#include "atrcnv/AtrCnvTypes.h"
#include "mobrdlg/ZqDialog.h"

class QPainter;
class QRect;

// What the pen, width and colour choice dialogs share: list box 1601 with an
// optional first line that keeps the source, the line that shows the current
// target selected, the fields of the selected line, a sample drawn into a
// placeholder, OK by button or double click, and help.
class CCnvChoiceDlg : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int { kList = 1601, kSamplePlaceholder = 1701 };

    CCnvChoiceDlg(const char* layoutName, int helpTopic, QWidget* parent);

    // "*<keep text> - <source name>".
    static std::string keepLineText(int keepStringId, const std::string& sourceName);

protected:
    // Fills the list; returns the line to select.
    virtual int fillLines() = 0;
    // Takes the selected line as the result and shows it.
    virtual void showSelection() = 0;

    int selectedLine() const;
    // Draws into a placeholder label (the picture is replaced on every call).
    void drawInto(int placeholder, const std::function<void(QPainter&, const QRect&)>& draw);

    bool OnInitDialog() override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    void OnHelp() override;

private:
    int helpTopic_;
};

