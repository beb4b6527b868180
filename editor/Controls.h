#pragma once
// The window's control kinds with the behaviour its handlers rely on:
// - ArrowPair: a small vertical scroll bar that shows only its two arrows, with the minimum
//   at the top (the upper arrow lowers Value). An arrow held down repeats its step.
// - ListBox: a list whose Click runs on every selection by the user, even when the position
//   does not change. The design-time text shows while nothing is selected. The mouse wheel
//   changes it only while it has the focus, so scrolling over the window never picks a port
//   or an address.
// - TextBox: a one-line box that reports clicks and every typed character code (13 = Enter,
//   8 = backspace).
// - FrameBox: a captioned group (or an uncaptioned panel) with its own background.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

namespace sonavel {

class ArrowPair : public QScrollBar {
    Q_OBJECT
public:
    explicit ArrowPair(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override {}
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent*) override { StopRepeat(); }
    void changeEvent(QEvent* event) override;

private:
    void Step();
    void StopRepeat();

    int pressedHalf_ = 0;  // -1 upper arrow held, +1 lower arrow held
    QTimer repeat_;
};

class ListBox : public QComboBox {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);
    // The text shown while nothing is selected.
    void setDesignText(const QString& text) { setPlaceholderText(text); }

signals:
    void Click();

protected:
    void wheelEvent(QWheelEvent* event) override;
};

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

signals:
    void Click();
    void KeyPress(int characterCode);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class FrameBox : public QWidget {
    Q_OBJECT
public:
    FrameBox(QWidget* parent, const QString& caption);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setCaptionColor(const QColor& color);
    void setCaptionFont(const QFont& font);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString caption_;
    QColor captionColor_;
    QFont captionFont_;
};

// Gives a control a background colour of its own (labels, buttons, frames and boxes).
void SetBackColor(QWidget* control, const QColor& color);
QColor BackColor(const QWidget* control);
void SetForeColor(QWidget* control, const QColor& color);

}  // namespace sonavel
