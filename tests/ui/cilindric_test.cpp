#include "ui/Cilindric.h"

#include "calc/field_values.h"
#include "calculator_window_driver.h"
#include "test_app.h"

using namespace varlo::testing;
using varlo::TCilindricForm;

namespace
{

const CalculatorInputs &Cilindric = CilindricInputs;

} // namespace

class CilindricTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void windowSettings();
    void componentGeometry_data();
    void componentGeometry();
    void labelsShowTheirWholeTextClearOfTheFields_data();
    void labelsShowTheirWholeTextClearOfTheFields();
    void fonts();
    void opensEmptyAndCentredWithTheFocusInTheFirstField();
    void tabCyclesThroughTheTabOrder();
    void arrowKeysOnTheButtonMoveTheFocus_data();
    void arrowKeysOnTheButtonMoveTheFocus();

    void calculates_data();
    void calculates();
    void equalsRightAfterOpeningGivesNoResult();
    void resultWaitsForTheNextEquals();
    void overflowLeavesTheResultAndIsReportedOnce();
    void yarnWeightIsReadOnlyWhenThereIsRoomForYarn_data();
    void yarnWeightIsReadOnlyWhenThereIsRoomForYarn();

    void enterClicksOnlyAFocusedButton_data();
    void enterClicksOnlyAFocusedButton();
    void spaceClicksTheFocusedButton();
    void escapeClosesNothing();
    void closingEndsTheModalDisplayWithCancel();
    void tabbingThroughTheEmptyResultLeavesZero();
};

void CilindricTest::initTestCase()
{
    varlo::SetCurrentSeparators(varlo::Separators{u'.', u','});
}

void CilindricTest::init()
{
    TestApp::instance()->clearErrors();
}

void CilindricTest::windowSettings()
{
    TCilindricForm window;
    CheckCalculatorWindowSettings(window, "CilindricForm", "CYLINDRICAL SHAPE", QSize(425, 381),
                                  Cilindric.fields);
}

void CilindricTest::componentGeometry_data()
{
    // Label4 is 2 pixels wider than on the original desktop: its caption is that
    // much wider in the substitute face.
    ComponentGeometryRows({
        {"Image1", {144, 8, 273, 81}},
        {"Label1", {32, 112, 194, 16}},
        {"packEdit", {240, 104, 81, 24}},
        {"Label6", {328, 112, 30, 16}},
        {"Label2", {32, 144, 192, 16}},
        {"dyeEdit", {240, 144, 81, 24}},
        {"Label7", {328, 152, 30, 16}},
        {"Label3", {32, 184, 152, 16}},
        {"travEdit", {240, 184, 81, 24}},
        {"Label8", {328, 192, 30, 16}},
        {"Label4", {32, 224, 172, 16}},
        {"yarnEdit", {240, 224, 81, 24}},
        {"Label9", {328, 232, 16, 16}},
        {"calcButton", {224, 264, 113, 33}},
        {"Label5", {32, 312, 146, 16}},
        {"densEdit", {240, 312, 81, 24}},
        {"Label10", {328, 312, 46, 16}},
    });
}

void CilindricTest::componentGeometry()
{
    TCilindricForm window;
    CheckComponentGeometry(window);
}

void CilindricTest::labelsShowTheirWholeTextClearOfTheFields_data()
{
    LabelBesideFieldRows({
        {"Label1", "packEdit"},
        {"Label6", "packEdit"},
        {"Label2", "dyeEdit"},
        {"Label7", "dyeEdit"},
        {"Label3", "travEdit"},
        {"Label8", "travEdit"},
        {"Label4", "yarnEdit"},
        {"Label9", "yarnEdit"},
        {"Label5", "densEdit"},
        {"Label10", "densEdit"},
    });
}

void CilindricTest::labelsShowTheirWholeTextClearOfTheFields()
{
    TCilindricForm window;
    CheckLabelClearOfField(window);
}

void CilindricTest::fonts()
{
    TCilindricForm window;
    CheckFonts(window, 10, 5);
}

void CilindricTest::opensEmptyAndCentredWithTheFocusInTheFirstField()
{
    TCilindricForm window;
    CheckOpensEmptyAndCentred(window, Cilindric.fields);
}

void CilindricTest::tabCyclesThroughTheTabOrder()
{
    TCilindricForm window;
    QVERIFY(ShowActive(window));
    CheckTabCycle({"packEdit", "dyeEdit", "travEdit", "yarnEdit", "calcButton", "densEdit"});
}

void CilindricTest::arrowKeysOnTheButtonMoveTheFocus_data()
{
    ArrowKeyRows("yarnEdit", "densEdit");
}

void CilindricTest::arrowKeysOnTheButtonMoveTheFocus()
{
    TCilindricForm window;
    CheckArrowKeyOnTheButton(window);
}

void CilindricTest::calculates_data()
{
    // Package, tube, traverse, yarn weight.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("first example") << Cilindric.example << Cilindric.exampleResult;
    // In double precision throughout this would be 469.1500087 and show 469.2.
    QTest::newRow("precision steps") << QStringList{"152.9", "60", "155", "1129.6"} << "469.1";
    QTest::newRow("empty tube is a solid package")
        << QStringList{"180", "", "150", "1250"} << "327.5";
    QTest::newRow("empty traverse") << QStringList{"180", "60", "", "1250"} << "";
    QTest::newRow("empty yarn weight") << QStringList{"180", "60", "150", ""} << "";
    QTest::newRow("zero yarn weight") << QStringList{"180", "60", "150", "0"} << "";
    QTest::newRow("tube wider than package") << QStringList{"60", "180", "150", "1250"} << "";
    QTest::newRow("tube as wide as package") << QStringList{"180", "180", "150", "1250"} << "";
    QTest::newRow("all empty") << QStringList{"", "", "", ""} << "";
}

void CilindricTest::calculates()
{
    TCilindricForm window;
    CheckCalculates(window, Cilindric.fields);
}

void CilindricTest::equalsRightAfterOpeningGivesNoResult()
{
    TCilindricForm window;
    CheckEqualsRightAfterOpeningGivesNoResult(window, Cilindric.fields);
}

void CilindricTest::resultWaitsForTheNextEquals()
{
    TCilindricForm window;
    CheckResultWaitsForTheNextEquals(window, Cilindric);
}

void CilindricTest::overflowLeavesTheResultAndIsReportedOnce()
{
    TCilindricForm window;
    OpenWithExampleResult(window, Cilindric);
    if (QTest::currentTestFailed())
        return;

    // The net volume, about 7.85e38 mm3, is beyond the single range.
    TypeInto(window, "packEdit", "10000000000000");
    EraseByKeyboard(window, "dyeEdit");
    TypeInto(window, "travEdit", "10000000000000");
    TypeInto(window, "yarnEdit", "1");
    ClickEquals(window);
    QCOMPARE(TestApp::instance()->errorMessages(), QStringList{"Floating point overflow"});
    QCOMPARE(Text(window, "densEdit"), QStringLiteral("368.4"));
    QVERIFY(window.isVisible());

    TypeInto(window, "packEdit", "180");
    TypeInto(window, "travEdit", "150");
    TypeInto(window, "yarnEdit", "1250");
    ClickEquals(window);
    QCOMPARE(Text(window, "densEdit"), QStringLiteral("327.5"));
    QCOMPARE(TestApp::instance()->errors().size(), size_t(1));
}

void CilindricTest::yarnWeightIsReadOnlyWhenThereIsRoomForYarn_data()
{
    YarnWeightRows();
}

void CilindricTest::yarnWeightIsReadOnlyWhenThereIsRoomForYarn()
{
    TCilindricForm window;
    CheckYarnWeightIsReadOnlyWhenThereIsRoomForYarn(window, Cilindric);
}

void CilindricTest::enterClicksOnlyAFocusedButton_data()
{
    EnterKeyRows();
}

void CilindricTest::enterClicksOnlyAFocusedButton()
{
    TCilindricForm window;
    CheckEnterClicksOnlyAFocusedButton(window, Cilindric);
}

void CilindricTest::spaceClicksTheFocusedButton()
{
    TCilindricForm window;
    CheckSpaceClicksTheFocusedButton(window, Cilindric);
}

void CilindricTest::escapeClosesNothing()
{
    TCilindricForm window;
    CheckEscapeClosesNothing(window, Cilindric);
}

void CilindricTest::closingEndsTheModalDisplayWithCancel()
{
    TCilindricForm window;
    CheckClosingEndsTheModalDisplayWithCancel(window);
}

void CilindricTest::tabbingThroughTheEmptyResultLeavesZero()
{
    TCilindricForm window;
    CheckTabbingThroughTheEmptyResultLeavesZero(window);
}

VARLO_TEST_APP_MAIN(CilindricTest)
#include "cilindric_test.moc"
