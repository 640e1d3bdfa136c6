#include "app/Application.h"
#include "app/ErrorBox.h"
#include "app/LocaleSeparators.h"

#include "calc/errors.h"
#include "calc/field_values.h"
#include "ui/Cilindric.h"
#include "ui/ErrorReport.h"
#include "ui/Main.h"
#include "ui/NumericEdit.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using varlo::Application;
using varlo::Separators;

Q_DECLARE_METATYPE(Separators)

namespace
{

QString FocusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

QList<QMessageBox *> VisibleBoxes()
{
    QList<QMessageBox *> boxes;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible()) {
            boxes << box;
        }
    }
    return boxes;
}

// Polls from the running event loop until `find` yields a widget, then hands it
// to `act`. Arm it before the action that brings the widget up.
template <typename Widget>
void WhenShown(std::function<Widget *()> find, std::function<void(Widget &)> act,
               int triesLeft = 400)
{
    QTimer::singleShot(5, [find, act, triesLeft] {
        if (Widget *widget = find()) {
            act(*widget);
        } else if (triesLeft > 0) {
            WhenShown<Widget>(find, act, triesLeft - 1);
        }
    });
}

void WhenCalculator(std::function<void(varlo::TCilindricForm &)> act)
{
    WhenShown<varlo::TCilindricForm>(
        [] {
            auto *form = qobject_cast<varlo::TCilindricForm *>(QApplication::activeModalWidget());
            return form && form->isVisible() ? form : nullptr;
        },
        std::move(act));
}

void WhenBox(std::function<void(QMessageBox &)> act)
{
    WhenShown<QMessageBox>(
        [] {
            const QList<QMessageBox *> boxes = VisibleBoxes();
            return boxes.isEmpty() ? nullptr : boxes.first();
        },
        std::move(act));
}

void ClickOk(QMessageBox &box)
{
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
}

varlo::NumericEdit *Field(QWidget &window, const char *name)
{
    auto *field = window.findChild<varlo::NumericEdit *>(QLatin1String(name));
    if (field == nullptr) {
        qFatal("no field %s", name);
    }
    return field;
}

void Type(QWidget &window, const char *name, const QString &text)
{
    varlo::NumericEdit *field = Field(window, name);
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
}

void ClickEquals(QWidget &window)
{
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("calcButton")),
                      Qt::LeftButton);
}

// A field whose focus-out handler fails after the focus has left it.
class FailingOnFocusOut : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        QLineEdit::focusOutEvent(event);
        varlo::CallReportingErrors([] { throw varlo::Error("Left the field"); });
    }
};

// An object whose event handler lets an error escape into Qt.
class Thrower : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User) {
            throw varlo::Error("Escaped an event handler");
        }
        return QObject::event(event);
    }
};

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void namesTheProgram();
    void errorBoxText_data();
    void errorBoxText();
    void separatorsOfLocale_data();
    void separatorsOfLocale();
    void rereadsSeparatorsWhenTheLocaleChanges();
    void showsOverflowAndKeepsTheCalculatorUsable();
    void showsEveryErrorInItsOwnBoxInOrder();
    void showsAFocusChangeErrorOnceTheFocusHasMoved();
    void reportsAnErrorThatEscapesAnEventHandler();
    // Session end stops every event loop for good: it comes last.
    void sessionEndClosesCalculatorAndBoxWithoutAsking();

private:
    Application *app() const { return static_cast<Application *>(QCoreApplication::instance()); }
    void showMainForm();

    std::unique_ptr<varlo::TMainForm> mainForm;
    QTimer watchdog;
};

void ApplicationTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // A test that fails before it closes a dialog must not hang the run.
    watchdog.setSingleShot(true);
    watchdog.setInterval(10000);
    connect(&watchdog, &QTimer::timeout, this, [] {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

void ApplicationTest::init()
{
    watchdog.start();
}

void ApplicationTest::cleanup()
{
    watchdog.stop();
    mainForm.reset();
}

void ApplicationTest::showMainForm()
{
    mainForm = std::make_unique<varlo::TMainForm>();
    mainForm->show();
    mainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainForm.get()));
}

void ApplicationTest::namesTheProgram()
{
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Varlo Calculator"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Varlo Calculator"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("varlo-calculator"));
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(48, 48)));
}

void ApplicationTest::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");

    QTest::newRow("overflow") << "Floating point overflow"
                              << "Floating point overflow.";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("ends with period") << "Done."
                                      << "Done.";
    QTest::newRow("ends with space") << "Trailing "
                                     << "Trailing ";
    QTest::newRow("ends with !") << "Stop!"
                                 << "Stop!";
    QTest::newRow("ends with )") << "(note)"
                                 << "(note)";
    QTest::newRow("ends with ,") << "1,"
                                 << "1,";
    QTest::newRow("ends with -") << "a-"
                                 << "a-";
    QTest::newRow("ends with / (just after .)") << "a/b/"
                                                << "a/b/.";
    QTest::newRow("ends with digit") << "Code 0"
                                     << "Code 0.";
    QTest::newRow("ends with ?") << "Why?"
                                 << "Why?.";
    QTest::newRow("ends beyond ASCII")
        << QString::fromUtf8("Durchmesser \xc3\xa4") << QString::fromUtf8("Durchmesser \xc3\xa4.");
}

void ApplicationTest::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, text);
    QCOMPARE(varlo::ErrorBoxText(message), text);
}

void ApplicationTest::separatorsOfLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Separators>("separators");

    QTest::newRow("C") << "C" << Separators{u'.', u','};
    QTest::newRow("en_US") << "en_US" << Separators{u'.', u','};
    QTest::newRow("de_DE") << "de_DE" << Separators{u',', u'.'};
    QTest::newRow("it_IT") << "it_IT" << Separators{u',', u'.'};
    // Swiss German groups with a right single quotation mark.
    QTest::newRow("de_CH") << "de_CH" << Separators{u'.', u'\u2019'};
}

void ApplicationTest::separatorsOfLocale()
{
    QFETCH(QString, locale);
    QFETCH(Separators, separators);
    const Separators read = varlo::SeparatorsOf(QLocale(locale));
    QCOMPARE(read.decimal, separators.decimal);
    QCOMPARE(read.thousands, separators.thousands);
}

void ApplicationTest::rereadsSeparatorsWhenTheLocaleChanges()
{
    const Separators system = varlo::SeparatorsOf(QLocale::system());
    const Separators other = system.decimal == u'.' ? Separators{u',', u'.'} : Separators{};
    varlo::SetCurrentSeparators(other);
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(app(), &change);
    QVERIFY(varlo::CurrentSeparators() == system);
}

void ApplicationTest::showsOverflowAndKeepsTheCalculatorUsable()
{
    showMainForm();
    struct Seen {
        QString resultBefore, caption, text, resultAfter, focusAfter, resultAgain;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttonCount = 0;
        bool okButton = false;
        bool boxBlocksCalculator = false;
        bool calculatorOpenAfter = false;
    } seen;

    WhenCalculator([&](varlo::TCilindricForm &calculator) {
        Type(calculator, "packEdit", QStringLiteral("180"));
        Type(calculator, "dyeEdit", QStringLiteral("60"));
        Type(calculator, "travEdit", QStringLiteral("150"));
        Type(calculator, "yarnEdit", QStringLiteral("1250"));
        ClickEquals(calculator);
        seen.resultBefore = Field(calculator, "densEdit")->text();

        WhenBox([&](QMessageBox &box) {
            seen.caption = box.windowTitle();
            seen.text = box.text();
            seen.icon = box.icon();
            seen.buttonCount = static_cast<int>(box.buttons().size());
            seen.okButton = box.button(QMessageBox::Ok) != nullptr;
            seen.boxBlocksCalculator = QGuiApplication::modalWindow() == box.windowHandle() &&
                                       box.windowModality() == Qt::ApplicationModal;
            QTimer::singleShot(0, [&] {
                // The desktop hands the activation back asynchronously.
                (void)QTest::qWaitFor([] { return FocusName() == QStringLiteral("calcButton"); });
                seen.calculatorOpenAfter = calculator.isVisible();
                seen.resultAfter = Field(calculator, "densEdit")->text();
                seen.focusAfter = FocusName();
                Type(calculator, "packEdit", QStringLiteral("180"));
                Type(calculator, "travEdit", QStringLiteral("150"));
                ClickEquals(calculator);
                seen.resultAgain = Field(calculator, "densEdit")->text();
                calculator.close();
            });
            ClickOk(box);
        });
        // The net volume of a package 10^13 mm wide and long overflows.
        Type(calculator, "packEdit", QStringLiteral("10000000000000"));
        Type(calculator, "travEdit", QStringLiteral("10000000000000"));
        ClickEquals(calculator);
    });
    QTest::keyClick(mainForm->findChild<QWidget *>(QStringLiteral("cilButton")), Qt::Key_Return);

    QCOMPARE(seen.resultBefore, QStringLiteral("368.4"));
    QCOMPARE(seen.caption, QStringLiteral("Varlo Calculator"));
    QCOMPARE(seen.text, QStringLiteral("Floating point overflow."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttonCount, 1);
    QVERIFY(seen.okButton);
    QVERIFY(seen.boxBlocksCalculator);
    QVERIFY(seen.calculatorOpenAfter);
    QCOMPARE(seen.resultAfter, QStringLiteral("368.4"));
    QCOMPARE(seen.focusAfter, QStringLiteral("calcButton"));
    QCOMPARE(seen.resultAgain, QStringLiteral("368.4"));
    QTRY_COMPARE(FocusName(), QStringLiteral("cilButton"));
}

void ApplicationTest::showsEveryErrorInItsOwnBoxInOrder()
{
    showMainForm();
    app()->reportError(std::make_exception_ptr(varlo::Error("First")));
    app()->reportError(std::make_exception_ptr(varlo::Error("Second.")));
    QVERIFY(VisibleBoxes().isEmpty());

    QStringList texts;
    qsizetype mostAtOnce = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        const QList<QMessageBox *> boxes = VisibleBoxes();
        mostAtOnce = std::max(mostAtOnce, boxes.size());
        if (boxes.size() == 1) {
            texts << boxes.first()->text();
            ClickOk(*boxes.first());
        }
    });
    poll.start(5);
    QTRY_COMPARE(texts.size(), 2);
    poll.stop();

    QCOMPARE(texts, QStringList({QStringLiteral("First."), QStringLiteral("Second.")}));
    QCOMPARE(mostAtOnce, 1);
    QTRY_VERIFY(QApplication::activeWindow() == mainForm.get());
    QCOMPARE(FocusName(), QStringLiteral("cilButton"));
}

void ApplicationTest::showsAFocusChangeErrorOnceTheFocusHasMoved()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new FailingOnFocusOut(&window);
    first->setObjectName(QStringLiteral("first"));
    auto *second = new QLineEdit(&window);
    second->setObjectName(QStringLiteral("second"));
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus(Qt::TabFocusReason);

    QTest::keyClick(first, Qt::Key_Tab);
    // The error waits until the focus change is complete.
    QCOMPARE(FocusName(), QStringLiteral("second"));
    QVERIFY(VisibleBoxes().isEmpty());

    QString text;
    WhenBox([&](QMessageBox &box) {
        text = box.text();
        ClickOk(box);
    });
    QTRY_COMPARE(text, QStringLiteral("Left the field."));
    QTRY_COMPARE(FocusName(), QStringLiteral("second"));
}

void ApplicationTest::reportsAnErrorThatEscapesAnEventHandler()
{
    showMainForm();
    Thrower thrower;
    QString text;
    WhenBox([&](QMessageBox &box) {
        text = box.text();
        ClickOk(box);
    });
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTRY_COMPARE(text, QStringLiteral("Escaped an event handler."));
}

void ApplicationTest::sessionEndClosesCalculatorAndBoxWithoutAsking()
{
    showMainForm();
    QPointer<varlo::TCilindricForm> calculator;
    QPointer<QMessageBox> box;
    bool sawBox = false;
    WhenCalculator([&](varlo::TCilindricForm &open) {
        calculator = &open;
        WhenBox([&](QMessageBox &shown) {
            box = &shown;
            sawBox = true;
            app()->endSession();
        });
        app()->reportError(std::make_exception_ptr(varlo::Error("First")));
        app()->reportError(std::make_exception_ptr(varlo::Error("Never shown")));
    });
    QTest::keyClick(mainForm->findChild<QWidget *>(QStringLiteral("cilButton")), Qt::Key_Return);

    // The click handler came back and destroyed the calculator; the box is gone
    // and the second error was dropped, not shown.
    QVERIFY(sawBox);
    QVERIFY(calculator.isNull());
    QVERIFY(box.isNull());
    QVERIFY(VisibleBoxes().isEmpty());
    QVERIFY(mainForm->findChildren<QDialog *>().isEmpty());
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    ApplicationTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
