#include "editor/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWheelEvent>

namespace sonavel {

namespace {
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;
}  // namespace

ArrowPair::ArrowPair(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::NoFocus);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatIntervalMs);
        Step();
    });
}

void ArrowPair::Step() { triggerAction(pressedHalf_ < 0 ? SliderSingleStepSub : SliderSingleStepAdd); }

void ArrowPair::StopRepeat() {
    repeat_.stop();
    pressedHalf_ = 0;
    update();
}

void ArrowPair::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) StopRepeat();
    QScrollBar::changeEvent(event);
}

void ArrowPair::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QColor arrowColour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                               QPalette::ButtonText);
    for (int part = -1; part <= 1; part += 2) {
        const QRect box = part < 0 ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = box;
        option.state |= pressedHalf_ == part ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        // A small solid triangle pointing up or down in the middle of its half.
        const QPointF centre = QRectF(box).center();
        const double w = qMin(3.5, box.width() / 4.0), h = qMin(2.0, box.height() / 4.0);
        const QPointF tip(centre.x(), centre.y() + part * h);
        const QPointF base1(centre.x() - w, centre.y() - part * h), base2(centre.x() + w, centre.y() - part * h);
        painter.setPen(Qt::NoPen);
        painter.setBrush(arrowColour);
        painter.drawPolygon(QPolygonF({tip, base1, base2}));
    }
}

void ArrowPair::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) return;
    pressedHalf_ = event->position().y() < height() / 2 ? -1 : 1;
    update();
    Step();
    repeat_.start(kRepeatDelayMs);  // held down, the arrow repeats its step
}

void ArrowPair::mouseReleaseEvent(QMouseEvent*) { StopRepeat(); }

void ArrowPair::wheelEvent(QWheelEvent* event) {
    // Turning the wheel up raises the parameter, like the upper arrow.
    if (!isEnabled() || event->angleDelta().y() == 0) return;
    triggerAction(event->angleDelta().y() > 0 ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
}

ListBox::ListBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, &ListBox::Click);
}

void ListBox::wheelEvent(QWheelEvent* event) {
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) emit Click();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(13);
        return;
    }
    QLineEdit::keyPressEvent(event);
    const QString typed = event->text();
    if (typed.size() == 1) emit KeyPress(typed[0].unicode());
}

FrameBox::FrameBox(QWidget* parent, const QString& caption)
    : QWidget(parent),
      caption_(caption),
      captionColor_(palette().color(QPalette::WindowText)),
      captionFont_(font()) {
    setAutoFillBackground(true);
}

void FrameBox::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void FrameBox::setCaptionColor(const QColor& color) {
    captionColor_ = color;
    update();
}

void FrameBox::setCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(captionFont_);
    // A captioned frame draws its etched border half a text line down, with the caption
    // standing on it; an uncaptioned panel is bordered all round.
    const int top = caption_.isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));
    if (caption_.isEmpty()) return;
    const QRect text(8, 0, metrics.horizontalAdvance(caption_) + 2, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setPen(captionColor_);
    painter.setFont(captionFont_);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

void SetBackColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    if (qobject_cast<QAbstractButton*>(control)) palette.setColor(QPalette::Button, color);
    if (qobject_cast<QLineEdit*>(control)) palette.setColor(QPalette::Base, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

QColor BackColor(const QWidget* control) {
    if (qobject_cast<const QLineEdit*>(control)) return control->palette().color(QPalette::Base);
    if (qobject_cast<const QAbstractButton*>(control)) return control->palette().color(QPalette::Button);
    return control->palette().color(QPalette::Window);
}

void SetForeColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, color);
    if (qobject_cast<QAbstractButton*>(control)) palette.setColor(QPalette::ButtonText, color);
    if (qobject_cast<QLineEdit*>(control)) palette.setColor(QPalette::Text, color);
    control->setPalette(palette);
}

}  // namespace sonavel
