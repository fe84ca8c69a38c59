#include "charts/ChartFile.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "charts/OperatingChart.h"
#include "util/FileIo.h"

namespace tarnex {

namespace {

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The program's Qt application, or one made for drawing alone: offscreen unless the
// environment names a platform.
void EnsureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "tarnex-cli";
    static char* argv[] = {name, nullptr};
    // Qt's own notes ("XDG_RUNTIME_DIR not set") would clutter the tool's error
    // stream; only its errors go there.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        }
    });
    static QApplication* application = new QApplication(argc, argv);  // lives to the end
    (void)application;
}

// The chart in a scene of its own at the file's size, laid out as on screen.
class ChartScene {
  public:
    explicit ChartScene(const HourlyActivity& activity) : chart_(new OperatingChart(activity)) {
        scene_.addItem(chart_);  // the scene owns the chart
        chart_->setGeometry(QRectF(0, 0, kChartFileWidth, kChartFileHeight));
        scene_.setSceneRect(0, 0, kChartFileWidth, kChartFileHeight);
        // The chart and its legend lay themselves out on posted events.
        for (int pass = 0; pass < 3; ++pass) {
            QApplication::processEvents();
            QApplication::sendPostedEvents();
        }
    }
    void Render(QPainter& painter) {
        const QRectF area(0, 0, kChartFileWidth, kChartFileHeight);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scene_.render(&painter, area, area);
    }

  private:
    QGraphicsScene scene_;
    OperatingChart* chart_;
};

QByteArray PngBytes(ChartScene& scene) {
    QImage image(kChartFileWidth, kChartFileHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        scene.Render(painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

QByteArray SvgBytes(ChartScene& scene, const HourlyActivity& activity) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kChartFileWidth, kChartFileHeight));
    svg.setViewBox(QRect(0, 0, kChartFileWidth, kChartFileHeight));
    svg.setTitle(QTextDocumentFragment::fromHtml(OperatingChart::TitleFor(activity))
                     .toPlainText()
                     .replace(QChar('\n'), QStringLiteral(", ")));
    svg.setDescription(QStringLiteral("Tarnex"));
    {
        QPainter painter(&svg);
        scene.Render(painter);
    }
    return bytes;
}

}  // namespace

bool IsChartFileName(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension == ".png" || extension == ".svg";
}

std::string WriteChartFile(const HourlyActivity& activity, const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension != ".png" && extension != ".svg") {
        return "the chart is written as .png or .svg, not " +
               (extension.empty() ? "a name without one" : extension);
    }
    EnsureApplication();
    ChartScene scene(activity);
    const QByteArray bytes = extension == ".png" ? PngBytes(scene) : SvgBytes(scene, activity);
    if (bytes.isEmpty()) {
        return "cannot draw the chart";
    }
    FileResult written =
        WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!written) {
        return "cannot write " + path + (written.error.empty() ? "" : ": " + written.error);
    }
    return {};
}

}  // namespace tarnex
