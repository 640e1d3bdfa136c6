// Not a test: shows each calculator window on the current display, once empty
// and once with a result, and saves what it shows as PNG files for a look by
// eye (tools/screenshot-windows runs it under Xvfb).

#include "ui/Cilindric.h"
#include "ui/Conic.h"
#include "ui/NumericEdit.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <utility>
#include <vector>

namespace
{

using FieldTexts = std::vector<std::pair<const char *, const char *>>;

void WaitForPaint()
{
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool Save(const QPixmap &picture, const QString &path)
{
    const bool saved = picture.save(path);
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "FAILED", qPrintable(path), picture.width(),
                picture.height());
    return saved;
}

template <typename Window>
bool Shoot(const QString &directory, const QString &name, const FieldTexts &inputs)
{
    Window window;
    window.show();
    window.activateWindow();
    WaitForPaint();
    bool saved = Save(window.grab(), directory + QStringLiteral("/%1-empty.png").arg(name));
    saved = Save(window.screen()->grabWindow(0),
                 directory + QStringLiteral("/%1-screen.png").arg(name)) &&
            saved;
    for (const auto &[field, text] : inputs)
        window.template findChild<varlo::NumericEdit *>(QLatin1String(field))
            ->assignText(QString::fromLatin1(text));
    auto *equals = window.template findChild<QPushButton *>(QStringLiteral("calcButton"));
    equals->setFocus();
    equals->click();
    WaitForPaint();
    saved = Save(window.grab(), directory + QStringLiteral("/%1-result.png").arg(name)) && saved;
    std::printf("%s frame at %d,%d size %dx%d\n", qPrintable(name), window.frameGeometry().x(),
                window.frameGeometry().y(), window.frameGeometry().width(),
                window.frameGeometry().height());
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(directory);
    bool saved = Shoot<varlo::TCilindricForm>(
        directory, QStringLiteral("cylindrical"),
        {{"packEdit", "180"}, {"dyeEdit", "60"}, {"travEdit", "150"}, {"yarnEdit", "1250"}});
    saved = Shoot<varlo::TConicForm>(directory, QStringLiteral("conical"),
                                     {{"maxpackEdit", "200"},
                                      {"minpackEdit", "160"},
                                      {"travEdit", "150"},
                                      {"maxdiamEdit", "72"},
                                      {"mindiamEdit", "52"},
                                      {"yarnEdit", "1500"}}) &&
            saved;
    return saved ? 0 : 1;
}
