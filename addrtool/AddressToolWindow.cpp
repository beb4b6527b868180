#include "addrtool/AddressToolWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "link/LinkState.h"
#include "link/QtSerialPort.h"
#include "model/Windows1252.h"

namespace sonavel::addrtool {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 4680;
constexpr int kClientHeightTwips = 3000;
const QColor kStatusBack(128, 128, 255);
const QColor kLampOn(0, 255, 0);
const QColor kLampOff(0, 0, 0);

void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

}  // namespace

AddressToolWindow::AddressToolWindow(std::unique_ptr<SerialPort> port, QWidget* parent)
    : QWidget(parent),
      port_(port ? std::move(port) : std::make_unique<QtSerialPort>()),
      exchange_(*port_, *this) {
    setObjectName("Form1");
    setWindowTitle("Form1");
    setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    BuildControls();

    connect(command1_, &QPushButton::clicked, this,
            [this] { exchange_.ReadAddress(PortPosition(), combo1_->currentIndex()); });
    connect(command2_, &QPushButton::clicked, this,
            [this] { exchange_.ProgramAddress(PortPosition(), combo1_->currentIndex()); });
    auto* timer1 = new QTimer(this);
    timer1->setObjectName("Timer1");
    timer1->setTimerType(Qt::PreciseTimer);  // the port closes 600 to 800 ms after a button
    timer1->setInterval(kTimerIntervalMs);
    connect(timer1, &QTimer::timeout, this, [this] { exchange_.OnTimerTick(); });
    timer1->start();
}

AddressToolWindow::~AddressToolWindow() {
    port_->OnComm = nullptr;
    port_->OnPortLost = nullptr;
    if (port_->PortOpen()) port_->SetPortOpen(false);
}

void AddressToolWindow::BuildControls() {
    auto* frame31 = new QGroupBox("Communication", this);
    frame31->setObjectName("Frame31");
    frame31->setGeometry(8, 6, 296, 58);

    combo5_ = new QComboBox(frame31);
    combo5_->setObjectName("Combo5");
    combo5_->setEditable(true);  // the port can be typed over, as any list with a text part
    combo5_->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= kMaxPortNumber; ++n) combo5_->addItem(QString("COM%1").arg(n));
    combo5_->setToolTip("select a valid COM");
    combo5_->setCurrentIndex(0);
    combo5_->setGeometry(12, 22, 120, 24);

    label30_ = new QLabel(frame31);
    label30_->setObjectName("Label30");
    label30_->setAutoFillBackground(true);
    label30_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label30_->setGeometry(258, 24, 22, 20);
    Paint(label30_, QPalette::Window, kLampOff);

    combo1_ = new QComboBox(this);
    combo1_->setObjectName("Combo1");
    for (int n = 1; n <= kMaxAddress; ++n) combo1_->addItem(QString("Addr=%1").arg(n, 2, 10, QChar('0')));
    combo1_->setCurrentIndex(0);
    combo1_->setGeometry(20, 84, 120, 24);

    command1_ = new QPushButton("Read Address", this);
    command1_->setObjectName("Command1");
    command1_->setGeometry(156, 74, 140, 28);
    command2_ = new QPushButton("Program Address", this);
    command2_->setObjectName("Command2");
    command2_->setGeometry(156, 108, 140, 28);

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setTextFormat(Qt::PlainText);  // reply bytes are shown as they are, never as markup
    label1_->setAutoFillBackground(true);
    label1_->setGeometry(8, 148, 296, 44);
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label1_->setContentsMargins(4, 0, 4, 0);
    Paint(label1_, QPalette::Window, kStatusBack);
    Paint(label1_, QPalette::WindowText, Qt::white);
    QFont font = label1_->font();
    font.setFamilies({"Arial", "Liberation Sans"});
    font.setPointSize(9);
    label1_->setFont(font);
}

int AddressToolWindow::PortPosition() const {
    return combo5_->findText(combo5_->currentText(), Qt::MatchExactly);
}

void AddressToolWindow::SetStatus(const std::string& text, const std::string& detail) {
    label1_->setText(QString::fromStdString(text));
    label1_->setToolTip(QString::fromStdString(detail));
}

void AddressToolWindow::AppendStatusByte(unsigned char code) {
    label1_->setText(label1_->text() + QString::fromStdString(DecodeWindows1252(std::string(1, static_cast<char>(code)))));
}

void AddressToolWindow::SetPortLamp(bool on) { Paint(label30_, QPalette::Window, on ? kLampOn : kLampOff); }

}  // namespace sonavel::addrtool
