#include "editor/MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QWindow>

#include "editor/ControlBinding.h"
#include "editor/PlotWidget.h"

namespace sonavel {
namespace {

constexpr int kTimerIntervalMs = 20;
const QColor kLinkOnColour(128, 255, 128);
const QColor kLinkOffColour(255, 0, 0);
const QColor kPortLampOk(0, 255, 0);
const QColor kOnlineLampOn(128, 255, 128);
const QColor kOnlineLampOff(64, 64, 64);

QColor ButtonTextColour() { return QApplication::palette().color(QPalette::ButtonText); }

}  // namespace

MainWindow::MainWindow(SerialPort& port, Sleeper& sleeper, QWidget* parent)
    : QWidget(parent),
      widgets_(BuildWindowLayout(this)),
      editor_(port, sleeper, clock_, [this] { PumpEvents(); }, *this) {
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
    messageBox_ = [this](MessageIcon icon, const QString& title, const QString& text) {
        const QMessageBox::Icon shown = icon == MessageIcon::Stop      ? QMessageBox::Critical
                                        : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                       : QMessageBox::NoIcon;
        // The first line is the message itself; a reason on further lines shows below it.
        const qsizetype cut = text.indexOf('\n');
        QMessageBox box(shown, title, cut < 0 ? text : text.left(cut), QMessageBox::Ok, this);
        if (cut >= 0) box.setInformativeText(text.mid(cut + 1));
        box.exec();
    };
    BindControls();
    timer1_.setInterval(kTimerIntervalMs);
    timer2_.setInterval(kTimerIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { editor_.Tick(); });
    connect(&timer2_, &QTimer::timeout, this, [this] { editor_.TickWaits(); });
    connect(widgets_.plot, &PlotWidget::PaintRequested, this, [this] { editor_.PlotUncovered(); });
    timer2_.start();
    timer1_.start();
}

MainWindow::~MainWindow() = default;

void MainWindow::BindControls() {
    EditorControls& c = editor_.controls();
    const WindowWidgets& w = widgets_;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        ChannelControls& cc = c.channels[channel];
        const ChannelWidgets& cw = w.channels[channel];
        for (int i = 0; i < kBandCount; ++i) {
            BindArrows(cw.frequencyArrows[i], cc.frequencyArrows[i]);
            BindText(cw.frequencyBoxes[i], cc.frequencyBoxes[i], Visibility::Fixed, true);
        }
        for (int i = 0; i < kEqBandCount; ++i) {
            BindArrows(cw.gainArrows[i], cc.gainArrows[i]);
            BindText(cw.gainBoxes[i], cc.gainBoxes[i]);
            BindArrows(cw.qArrows[i], cc.qArrows[i]);
            BindText(cw.qBoxes[i], cc.qBoxes[i]);
            BindList(cw.typeLists[i], cc.typeLists[i]);
            BindCheck(cw.offBoxes[i], cc.offBoxes[i]);
        }
        for (int slot = 0; slot < 2; ++slot) BindList(cw.crossoverLists[slot], cc.crossoverLists[slot]);
        for (int kind = 0; kind < kCompressorControls; ++kind) {
            BindArrows(cw.compressorArrows[kind], cc.compressorArrows[kind]);
            BindText(cw.compressorBoxes[kind], cc.compressorBoxes[kind]);
        }
        BindArrows(cw.inputGain, cc.inputGain);
        BindText(cw.inputGainBox, cc.inputGainBox);
        BindArrows(cw.outputGain, cc.outputGain);
        BindText(cw.outputGainBox, cc.outputGainBox);
        BindArrows(cw.delay, cc.delay);
        BindText(cw.delayBox, cc.delayBox);
        BindCheck(cw.invert, cc.invert);
        BindCheck(cw.mute, cc.mute);
    }
    for (int i = 0; i < kFunctionSwitches; ++i) BindCheck(w.functionSwitches[i], c.functionSwitches[i]);

    BindFiles(w.files, c.files);
    BindButton(w.load, c.load);
    BindButton(w.save, c.save);
    BindButton(w.browse, c.browse);
    BindCaption(w.presetPanel, c.presetPanel);
    BindLabel(w.presetTitle, c.presetTitle);
    BindText(w.presetName, c.presetName, Visibility::Managed);
    BindList(w.presetList, c.presetList, Visibility::Managed);
    BindButton(w.enter, c.enter, Visibility::Managed);
    BindButton(w.remove, c.remove, Visibility::Managed);
    BindButton(w.exit, c.exit, Visibility::Managed);

    BindButton(w.connect, c.connect);
    BindShown(c.connect, [button = w.connect, &control = c.connect] {
        // The caption names the state the link is in; the tooltip names what the next click does.
        SetBackColor(button, control.lit() ? kLinkOnColour : kLinkOffColour);
        button->setText(control.lit() ? "Connect" : "DisConnect");
        button->setToolTip(control.lit() ? "click here to disconnect the loudspeaker"
                                         : "click here to connect the loudspeaker");
        button->setEnabled(control.enabled());
    });
    BindButton(w.update, c.update);
    BindButton(w.recall, c.recall);
    BindButton(w.loadToDsp, c.loadToDsp);
    BindList(w.ports, c.ports);
    BindList(w.addresses, c.addresses);
    BindList(w.recallSlots, c.recallSlots);
    BindList(w.loadSlots, c.loadSlots);
    // The lamps keep their colours from the layout until the line first reports.
    c.onlineLamp.Bind([lamp = w.onlineLamp, &control = c.onlineLamp] {
        SetBackColor(lamp, control.lit() ? kOnlineLampOn : kOnlineLampOff);
    });
    c.portLamp.Bind([lamp = w.portLamp, &control = c.portLamp] {
        SetBackColor(lamp, control.lit() ? kPortLampOk : ButtonTextColour());
    });
}

// Waits for the next event without spinning: Timer2 ticks every 20 ms, so every wait ends
// after a tick at the latest, and the serial port's arrivals are delivered meanwhile.
void MainWindow::PumpEvents() {
    if (!timer2_.isActive()) timer2_.start();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MainWindow::ShowPlot(const std::vector<PlotSegment>& segments) { widgets_.plot->ShowSegments(segments); }

void MainWindow::ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) {
    if (messageBox_) messageBox_(icon, QString::fromStdString(title), QString::fromStdString(text));
}

std::string MainWindow::ChooseFolder(const std::string& title, const std::string& startFolder) {
    return QFileDialog::getExistingDirectory(this, QString::fromStdString(title), QString::fromStdString(startFolder))
        .toStdString();
}

void MainWindow::ShowBusy(bool busy) {
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    editor_.PlotUncovered();
}

// Closing the window ends a running read at once and sends nothing more.
void MainWindow::closeEvent(QCloseEvent* event) {
    editor_.session().Shutdown();
    QWidget::closeEvent(event);
}

// An uncovered window is put back on screen from its backing store without painting the plot,
// so the window system's expose is watched on the native window itself.
void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* native = windowHandle()) native->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed())
        editor_.PlotUncovered();
    return QWidget::eventFilter(watched, event);
}

}  // namespace sonavel
