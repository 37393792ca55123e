#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct Topic {
    int id;
    const char* text;
};

// Topics the dialogs ask for, with a short description each.
constexpr Topic kTopics[] = {
    {472, "Drawing size: choose a standard paper or a size of your own, and a scale. "
          "The result (paper size times scale) becomes the figure's drawing size on OK."},
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("mobr help"));
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    text_->setMinimumWidth(360);
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    layout->addWidget(buttons);
}

QString HelpWindow::topicText(int topic)
{
    for (const Topic& t : kTopics)
        if (t.id == topic) return QString("Topic %1\n\n%2").arg(topic).arg(QString::fromUtf8(t.text));
    return QString("Topic %1\n\nNo help text is installed for this topic.").arg(topic);
}

void HelpWindow::showTopic(int topic)
{
    topic_ = topic;
    text_->setText(topicText(topic));
    show();
    raise();
}
