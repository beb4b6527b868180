#include "editor/ControlBinding.h"

#include <QFile>
#include <QSignalBlocker>
#include <algorithm>

namespace sonavel {
namespace {

const QColor kTypingColour(255, 192, 128);
const QColor kBoxColour(255, 255, 255);

QString Text(const std::string& text) { return QString::fromStdString(text); }

void ShowState(QWidget* widget, const FormControl& control, Visibility visibility) {
    widget->setEnabled(control.enabled());
    if (visibility == Visibility::Managed) widget->setVisible(control.visible());
}

}  // namespace

void BindShown(FormControl& control, std::function<void()> show) {
    show();
    control.Bind(std::move(show));
}

void BindArrows(ArrowPair* widget, ArrowValue& control) {
    BindShown(control, [widget, &control] {
        const QSignalBlocker quiet(widget);
        widget->setRange(control.minimum(), control.maximum());
        widget->setValue(control.value());
        ShowState(widget, control, Visibility::Fixed);
    });
    QObject::connect(widget, &QScrollBar::valueChanged, widget, [&control](int value) { control.SetValue(value); });
}

void BindCheck(QCheckBox* widget, CheckValue& control) {
    BindShown(control, [widget, &control] {
        const QSignalBlocker quiet(widget);
        widget->setChecked(control.checked());
        ShowState(widget, control, Visibility::Fixed);
    });
    QObject::connect(widget, &QCheckBox::toggled, widget, [&control](bool checked) { control.SetChecked(checked); });
}

void BindList(ListBox* widget, ListValue& control, Visibility visibility) {
    BindShown(control, [widget, &control, visibility] {
        const QSignalBlocker quiet(widget);
        if (widget->count() != static_cast<int>(control.entries().size())) {
            widget->clear();
            for (const std::string& entry : control.entries()) widget->addItem(Text(entry));
        }
        widget->setCurrentIndex(control.position());
        ShowState(widget, control, visibility);
    });
    QObject::connect(widget, &ListBox::Click, widget, [widget, &control] { control.SetPosition(widget->currentIndex()); });
}

void BindButton(QPushButton* widget, ButtonValue& control, Visibility visibility) {
    BindShown(control, [widget, &control, visibility] { ShowState(widget, control, visibility); });
    QObject::connect(widget, &QPushButton::clicked, widget, [&control] { control.Click(); });
}

void BindText(TextBox* widget, TextValue& control, Visibility visibility, bool highlight) {
    control.EnterText(widget->text().toStdString());  // the design-time text shows until a handler sets one
    BindShown(control, [widget, &control, visibility, highlight] {
        if (widget->text() != Text(control.text())) widget->setText(Text(control.text()));
        if (highlight) SetBackColor(widget, control.highlighted() ? kTypingColour : kBoxColour);
        const bool appears = visibility == Visibility::Managed && control.visible() && widget->isHidden();
        ShowState(widget, control, visibility);
        if (appears) widget->setFocus();
    });
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [&control](const QString& text) { control.EnterText(text.toStdString()); });
    QObject::connect(widget, &TextBox::Click, widget, [&control] { control.Click(); });
    QObject::connect(widget, &TextBox::KeyPress, widget, [&control](int code) { control.Key(code); });
}

void BindLabel(QLabel* widget, TextValue& control) {
    BindShown(control, [widget, &control] {
        widget->setText(Text(control.text()));
        ShowState(widget, control, Visibility::Managed);
    });
}

void BindCaption(FrameBox* widget, TextValue& control) {
    if (control.text().empty()) control.EnterText(widget->caption().toStdString());
    BindShown(control, [widget, &control] {
        widget->setCaption(Text(control.text()));
        ShowState(widget, control, Visibility::Managed);
    });
}

void BindFiles(QListWidget* widget, FileListValue& control) {
    BindShown(control, [widget, &control] {
        const QSignalBlocker quiet(widget);
        widget->clear();
        const auto& names = control.names();
        for (const std::string& name : names) widget->addItem(QFile::decodeName(QByteArray::fromStdString(name)));
        const auto selected = std::find(names.begin(), names.end(), control.selected());
        if (!control.selected().empty()) widget->setCurrentRow(static_cast<int>(selected - names.begin()));
    });
    QObject::connect(widget, &QListWidget::currentRowChanged, widget, [&control](int row) { control.Select(row); });
}

}  // namespace sonavel
