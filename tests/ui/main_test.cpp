#include "ui/Main.h"

#include "ui/Cilindric.h"
#include "ui/Conic.h"
#include "ui/NumericEdit.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"

#include "test_app.h"

#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>

using varlo::PictureButton;
using varlo::TCilindricForm;
using varlo::TConicForm;
using varlo::TMainForm;

namespace
{

const QRgb White = qRgb(255, 255, 255);

QString FocusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// What a test saw of a calculator while its modal display ran.
struct ModalVisit {
    QString className;
    bool mainWindowBlocked = false;
    bool fieldsEmpty = false;
    int fieldCount = 0;
};

// Runs `inspect` on the modal dialog as soon as its display has started, then
// closes the dialog as its close box would. Arm it before the action that opens
// the dialog; the action returns once the dialog has ended.
void WhenModal(const std::function<void(QDialog &)> &inspect, int triesLeft = 200)
{
    QTimer::singleShot(5, [inspect, triesLeft] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            if (triesLeft > 0) {
                WhenModal(inspect, triesLeft - 1);
            }
            return;
        }
        inspect(*dialog);
        dialog->close();
    });
}

ModalVisit Inspect(QDialog &dialog, const TMainForm &mainForm)
{
    ModalVisit visit;
    visit.className = QString::fromLatin1(dialog.metaObject()->className());
    visit.mainWindowBlocked = QGuiApplication::modalWindow() == dialog.windowHandle() &&
                              mainForm.windowHandle() != dialog.windowHandle();
    const QList<varlo::NumericEdit *> fields = dialog.findChildren<varlo::NumericEdit *>();
    visit.fieldCount = static_cast<int>(fields.size());
    visit.fieldsEmpty = std::all_of(fields.begin(), fields.end(), [](const varlo::NumericEdit *f) {
        return f->text().isEmpty();
    });
    return visit;
}

} // namespace

class MainTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void placesItsComponents_data();
    void placesItsComponents();
    void isTheWhiteMainWindow();
    void fitsTheBannerAndLeavesTheRestWhite();
    void drawsGlyphWhiteAsButtonFace_data();
    void drawsGlyphWhiteAsButtonFace();
    void startsWithFocusOnCylindricalButton();
    void cyclesFocusWithTabAndArrows_data();
    void cyclesFocusWithTabAndArrows();
    void escapeChangesNothing();
    void opensAFreshModalCalculatorEachTime_data();
    void opensAFreshModalCalculatorEachTime();
    void ignoresItsButtonsWhileACalculatorIsOpen();
    void exitButtonClosesTheWindow();
    void maximizingKeepsTheLayout();

private:
    PictureButton *button(const char *name) const;

    std::unique_ptr<TMainForm> form;
};

void MainTest::initTestCase()
{
    // Closing the main window would otherwise end the test's own event loops.
    QApplication::setQuitOnLastWindowClosed(false);
}

void MainTest::init()
{
    form = std::make_unique<TMainForm>();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void MainTest::cleanup()
{
    form.reset();
}

PictureButton *MainTest::button(const char *name) const
{
    auto *found = form->findChild<PictureButton *>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no button %s", name);
    }
    return found;
}

void MainTest::placesItsComponents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Image1") << "Image1" << QRect(0, 0, 641, 185) << QString();
    QTest::newRow("cilButton") << "cilButton" << QRect(96, 240, 185, 121) << "CYLINDRICAL SHAPE";
    QTest::newRow("conButton") << "conButton" << QRect(328, 240, 193, 121) << "CONICAL SHAPE";
    QTest::newRow("exitButton") << "exitButton" << QRect(552, 416, 73, 41) << "Exit";
}

void MainTest::placesItsComponents()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    auto *component = form->findChild<QWidget *>(name);
    QVERIFY(component != nullptr);
    QCOMPARE(component->geometry(), geometry);
    if (auto *pictureButton = qobject_cast<PictureButton *>(component)) {
        QCOMPARE(pictureButton->text(), caption);
        QVERIFY(pictureButton->font().bold());
        QCOMPARE(pictureButton->font().pixelSize(), 11);
        QCOMPARE(varlo::CaptionHeight(pictureButton->font()), 13);
    }
}

void MainTest::isTheWhiteMainWindow()
{
    QCOMPARE(form->objectName(), QStringLiteral("MainForm"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Varlo Package Density Calculator"));
    QCOMPARE(form->size(), QSize(643, 487));
    QCOMPARE(form->minimumSize(), QSize(643, 487));
    QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(button("cilButton")->glyph().size(), QSize(100, 90));
    QCOMPARE(button("cilButton")->glyphLayout(), PictureButton::GlyphTop);
    QCOMPARE(button("conButton")->glyph().size(), QSize(100, 95));
    QCOMPARE(button("conButton")->glyphLayout(), PictureButton::GlyphTop);
    QVERIFY(button("exitButton")->glyph().isNull());
}

void MainTest::fitsTheBannerAndLeavesTheRestWhite()
{
    auto *banner = form->findChild<varlo::PictureBox *>(QStringLiteral("Image1"));
    QVERIFY(banner != nullptr);
    QCOMPARE(banner->drawnRect(), QRect(0, 0, 641, 169));

    const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(643, 487));
    for (int y = 169; y < 240; ++y) {
        for (int x = 0; x < 643; ++x) {
            QVERIFY2(shown.pixel(x, y) == White,
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
    int bannerInk = 0;
    for (int y = 0; y < 169; ++y) {
        QCOMPARE(shown.pixel(641, y), White);
        QCOMPARE(shown.pixel(642, y), White);
        for (int x = 0; x < 641; ++x) {
            bannerInk += shown.pixel(x, y) != White ? 1 : 0;
        }
    }
    QVERIFY(bannerInk > 641 * 169 / 20);
}

void MainTest::drawsGlyphWhiteAsButtonFace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("glyphPath");
    QTest::addColumn<QPoint>("glyphTopLeft");
    QTest::newRow("cilButton") << "cilButton"
                               << ":/assets/cylindrical_tubes.bmp" << QPoint(43, 7);
    QTest::newRow("conButton") << "conButton"
                               << ":/assets/conical_tubes.bmp" << QPoint(47, 5);
}

void MainTest::drawsGlyphWhiteAsButtonFace()
{
    QFETCH(QString, name);
    QFETCH(QString, glyphPath);
    QFETCH(QPoint, glyphTopLeft);

    PictureButton *glyphButton = button(name.toLatin1().constData());
    const QImage glyph = QImage(glyphPath).convertToFormat(QImage::Format_RGB32);
    const QRgb face = glyphButton->palette().color(QPalette::Button).rgb();
    QVERIFY(face != White);

    const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = glyphButton->pos() + glyphTopLeft;
    int kept = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb stored = glyph.pixel(x, y);
            QCOMPARE(shown.pixel(origin + QPoint(x, y)), stored == White ? face : stored);
            const bool nearWhite = stored != White && qRed(stored) >= 0xf0 &&
                                   qGreen(stored) >= 0xf0 && qBlue(stored) >= 0xf0;
            kept += nearWhite ? 1 : 0;
        }
    }
    QVERIFY(kept > 0);
}

void MainTest::startsWithFocusOnCylindricalButton()
{
    QCOMPARE(FocusName(), QStringLiteral("cilButton"));
}

void MainTest::cyclesFocusWithTabAndArrows_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("to");

    const int none = Qt::NoModifier;
    QTest::newRow("Tab") << "cilButton" << int(Qt::Key_Tab) << none << "conButton";
    QTest::newRow("Tab on") << "conButton" << int(Qt::Key_Tab) << none << "exitButton";
    QTest::newRow("Tab wraps") << "exitButton" << int(Qt::Key_Tab) << none << "cilButton";
    QTest::newRow("Shift+Tab wraps")
        << "cilButton" << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "exitButton";
    QTest::newRow("Shift+Tab back")
        << "exitButton" << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "conButton";
    QTest::newRow("Right") << "cilButton" << int(Qt::Key_Right) << none << "conButton";
    QTest::newRow("Down") << "conButton" << int(Qt::Key_Down) << none << "exitButton";
    QTest::newRow("Right wraps") << "exitButton" << int(Qt::Key_Right) << none << "cilButton";
    QTest::newRow("Left wraps") << "cilButton" << int(Qt::Key_Left) << none << "exitButton";
    QTest::newRow("Up") << "conButton" << int(Qt::Key_Up) << none << "cilButton";
    QTest::newRow("Left") << "exitButton" << int(Qt::Key_Left) << none << "conButton";
}

void MainTest::cyclesFocusWithTabAndArrows()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, to);

    PictureButton *start = button(from.toLatin1().constData());
    start->setFocus(Qt::TabFocusReason);
    QCOMPARE(FocusName(), from);
    QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(FocusName(), to);
}

void MainTest::escapeChangesNothing()
{
    QTest::keyClick(button("cilButton"), Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QCOMPARE(FocusName(), QStringLiteral("cilButton"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void MainTest::opensAFreshModalCalculatorEachTime_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("fieldCount");

    QTest::newRow("cylindrical by Enter")
        << "cilButton" << int(Qt::Key_Return) << "varlo::TCilindricForm" << 5;
    QTest::newRow("conical by Space")
        << "conButton" << int(Qt::Key_Space) << "varlo::TConicForm" << 7;
}

void MainTest::opensAFreshModalCalculatorEachTime()
{
    QFETCH(QString, opener);
    QFETCH(int, key);
    QFETCH(QString, className);
    QFETCH(int, fieldCount);

    PictureButton *openerButton = button(opener.toLatin1().constData());
    for (int opening = 0; opening < 2; ++opening) {
        openerButton->setFocus(Qt::TabFocusReason);
        ModalVisit visit;
        WhenModal([&](QDialog &dialog) {
            visit = Inspect(dialog, *form);
            // Typed text must not carry over to the next opening.
            if (auto *field = dialog.findChild<varlo::NumericEdit *>()) {
                field->setFocus(Qt::TabFocusReason);
                QTest::keyClicks(field, QStringLiteral("123"));
            }
        });
        if (key == Qt::Key_Space) {
            QTest::keyPress(openerButton, Qt::Key_Space);
            QVERIFY(form->findChildren<QDialog *>().isEmpty());
            QTest::keyRelease(openerButton, Qt::Key_Space);
        } else {
            QTest::keyClick(openerButton, Qt::Key(key));
        }

        QCOMPARE(visit.className, className);
        QVERIFY(visit.mainWindowBlocked);
        QCOMPARE(visit.fieldCount, fieldCount);
        QVERIFY(visit.fieldsEmpty);
        // Destroyed as soon as its display ended; the opener has the focus again.
        QVERIFY(form->findChildren<QDialog *>().isEmpty());
        QTRY_COMPARE(FocusName(), opener);
    }
}

void MainTest::ignoresItsButtonsWhileACalculatorIsOpen()
{
    QPointer<QDialog> second;
    int dialogsWhileOpen = -1;
    WhenModal([&](QDialog &) {
        // If the click got through it would open a second, nested calculator:
        // close that one too, so that a failure does not hang the test.
        QTimer::singleShot(500, [&] {
            if (auto *nested = form->findChild<TConicForm *>()) {
                second = nested;
                nested->close();
            }
        });
        PictureButton *conButton = button("conButton");
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          conButton->geometry().center());
        dialogsWhileOpen = static_cast<int>(form->findChildren<QDialog *>().size());
    });
    QTest::keyClick(button("cilButton"), Qt::Key_Return);

    QCOMPARE(dialogsWhileOpen, 1);
    QVERIFY(second.isNull());
    QTRY_COMPARE(FocusName(), QStringLiteral("cilButton"));
}

void MainTest::exitButtonClosesTheWindow()
{
    PictureButton *exitButton = button("exitButton");
    exitButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(exitButton, Qt::Key_Return);
    QVERIFY(!form->isVisible());
}

void MainTest::maximizingKeepsTheLayout()
{
    form->showMaximized();
    QTRY_VERIFY(form->width() > 643 && form->height() > 487);

    QCOMPARE(button("cilButton")->geometry(), QRect(96, 240, 185, 121));
    QCOMPARE(button("exitButton")->geometry(), QRect(552, 416, 73, 41));
    auto *banner = form->findChild<varlo::PictureBox *>(QStringLiteral("Image1"));
    QCOMPARE(banner->drawnRect(), QRect(0, 0, 641, 169));

    const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1), White);
    QCOMPARE(shown.pixel(700, 100), White);

    form->showNormal();
    QTRY_COMPARE(form->size(), QSize(643, 487));
}

VARLO_TEST_APP_MAIN(MainTest)

#include "main_test.moc"
