// The numeric edit: construction, value reading and writing, the range check on focus exit,
// the key filter, the parser, loading, and the failure paths.
#include "RzEditTestSupport.h"

#include <gmock/gmock.h>
#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(EditFormTest, NewNumericEditShowsZeroRightAlignedAt65By21) {
    auto* edit = new TRzNumericEdit(form);
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    EXPECT_EQ(edit->Width(), 65);
    EXPECT_EQ(edit->Height(), 21);
    EXPECT_EQ(edit->DisplayFormat(), ",0;(,0)");
    EXPECT_TRUE(edit->IntegersOnly());
    EXPECT_TRUE(edit->BeepOnInvalidKey());
    EXPECT_FALSE(edit->FrameVisible());
    edit->SetParent(form);
    form->Show();
    EXPECT_NE(edit->Params().Style & ES_RIGHT, 0u);
}

// ---------------------------------------------------------------------------------------
// Range check on focus exit (Min 1, Max 10000)

TEST_F(EditFormTest, LeavingBelowMinShowsMinAndNotifies) {
    Show();
    Enter("0");
    Leave();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(minutes->Text(), "1");
    EXPECT_THAT(changes, ElementsAre("0", "1"));
}

TEST_F(EditFormTest, LeavingAboveMaxShowsMaxFormatted) {
    Show();
    Enter("20000");
    Leave();
    EXPECT_EQ(minutes->Text(), "10,000");
    EXPECT_EQ(minutes->ValueAsInteger(), 10000);
}

TEST_F(EditFormTest, LeavingWithAnUnchangedValidTextNotifiesNothing) {
    minutes->SetValueAsInteger(500);
    Show();
    Leave();
    EXPECT_EQ(minutes->Text(), "500");
    EXPECT_THAT(changes, IsEmpty());
}

TEST_F(EditFormTest, TypedTextIsReformattedOnExit) {
    Show();
    Enter("1234");
    Leave();
    EXPECT_EQ(minutes->Text(), "1,234");
}

TEST_F(EditFormTest, RangeErrorHandlerThatRefusesKeepsTheFocusWithoutOnExit) {
    Extended entered = 0;
    Extended adjusted = 0;
    bool refuse = true;
    int exits = 0;
    minutes->OnRangeError = [&](TObject*, Extended value, Extended bound, bool& autoCorrect) {
        entered = value;
        adjusted = bound;
        autoCorrect = !refuse;
    };
    minutes->OnExit = [&](TObject*) {
        ++exits;
    };
    Show();
    Enter("20000");
    Leave();
    EXPECT_TRUE(minutes->Focused());
    // Not corrected; the focus coming back normalises the typed text.
    EXPECT_EQ(minutes->Text(), "20,000");
    EXPECT_EQ(entered, 20000);
    EXPECT_EQ(adjusted, 10000);
    EXPECT_EQ(exits, 0);

    refuse = false;
    Leave();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(minutes->Text(), "10,000");
    EXPECT_EQ(exits, 1);
}

TEST_F(EditFormTest, RangeErrorHandlerThatThrowsKeepsMin) {
    minutes->OnRangeError = [](TObject*, Extended, Extended, bool&) {
        throw Exception("no");
    };
    Show();
    Enter("0");
    Leave();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(minutes->Text(), "1");
}

TEST_F(EditFormTest, WithoutARangeAnyNumberSurvivesUnlessCheckRangeIsOn) {
    auto* edit = Place(new TRzNumericEdit(form), 10, 90);
    form->Show();
    edit->SetFocus();
    edit->SelectAll();
    Type("-77");
    Leave();
    EXPECT_EQ(edit->Text(), "(77)");
    edit->SetCheckRange(true);
    edit->SetFocus();
    Leave();
    EXPECT_EQ(edit->Text(), "0");
}

TEST_F(EditFormTest, MinAndMaxPushEachOther) {
    auto* edit = new TRzNumericEdit(form);
    edit->SetMin(50);
    EXPECT_EQ(edit->Max(), 50);
    edit->SetMax(10);
    EXPECT_EQ(edit->Min(), 10);
    EXPECT_EQ(edit->Text(), "0") << "the bounds do not touch the text";
}

// ---------------------------------------------------------------------------------------
// Value from code

TEST_F(EditFormTest, ValueAsIntegerNotifiesBeforeReturningOnlyWhenTheTextChanges) {
    minutes->SetValueAsInteger(5);
    changes.clear();
    std::string seenInside;
    minutes->OnChange = [&](TObject*) {
        changes.push_back(minutes->Text());
        seenInside = minutes->Text();
    };
    minutes->SetValueAsInteger(10);
    EXPECT_EQ(seenInside, "10");
    minutes->SetValueAsInteger(10);
    EXPECT_THAT(changes, ElementsAre("10"));
}

TEST_F(EditFormTest, CodeMaySetValuesOutsideTheRangeUntilTheNextExit) {
    Show();
    minutes->SetValue(20000);
    EXPECT_EQ(minutes->Text(), "20,000");
    EXPECT_EQ(minutes->Value(), 20000);
    Leave();
    EXPECT_EQ(minutes->Text(), "10,000");
}

TEST_F(EditFormTest, ReadingValueOfAnEmptyTextWritesMinAndNestsASecondChange) {
    Show();
    Extended readInside = -1;
    int depth = 0;
    std::vector<std::string> log;
    minutes->OnChange = [&](TObject*) {
        ++depth;
        log.push_back(std::to_string(depth) + ":" + minutes->Text());
        if (minutes->Text().empty()) {
            readInside = minutes->Value();
        }
        --depth;
    };
    minutes->SelectAll();
    Type("\b");
    EXPECT_THAT(log, ElementsAre("1:", "2:1"));
    EXPECT_EQ(readInside, 1);
    EXPECT_EQ(minutes->Text(), "1");
}

TEST_F(EditFormTest, AllowBlankKeepsAnEmptyTextThatReadsAsBlankValue) {
    minutes->SetAllowBlank(true);
    minutes->SetBlankValue(7.5);
    Show();
    Enter("\b");
    EXPECT_EQ(minutes->Value(), 7.5L);
    Leave();
    EXPECT_EQ(minutes->Text(), "");
    minutes->SetFocus();
    Idle();
    EXPECT_EQ(minutes->Text(), "");
}

TEST_F(EditFormTest, IntegersOnlyRoundsTheValueHalvesToEven) {
    minutes->SetIntegersOnly(false);
    minutes->SetDisplayFormat("0.0");
    minutes->SetValue(2.5);
    EXPECT_EQ(minutes->Text(), "2.5");
    minutes->SetIntegersOnly(true);
    EXPECT_EQ(minutes->Value(), 2);
    EXPECT_EQ(minutes->Text(), "2.0");

    minutes->SetIntegersOnly(false);
    minutes->SetValue(3.5);
    minutes->SetIntegersOnly(true);
    EXPECT_EQ(minutes->Value(), 4);
    EXPECT_EQ(minutes->ValueAsInteger(), 4);
}

TEST_F(EditFormTest, ValueAsIntegerStaysInsideThe32BitRange) {
    minutes->SetValue(1e12);
    EXPECT_EQ(minutes->ValueAsInteger(), std::numeric_limits<std::int32_t>::max());
    minutes->SetValue(-1e12);
    EXPECT_EQ(minutes->ValueAsInteger(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundHalfToEven(-2.5), -2);
    EXPECT_EQ(RoundHalfToEven(-3.5), -4);
}

TEST_F(EditFormTest, DisplayFormatRewritesTheTextUnderTheNewFormat) {
    minutes->SetValue(1234);
    minutes->SetDisplayFormat("0.00 'min'");
    EXPECT_EQ(minutes->Text(), "1234.00 min");
    EXPECT_EQ(minutes->Value(), 1234);
}

TEST_F(EditFormTest, TooLongDisplayFormatRaisesInTheSetterAndReadsAsMin) {
    const std::string tooLong(225, '0');
    EXPECT_THROW(minutes->SetDisplayFormat(tooLong), EConvertError);
    EXPECT_EQ(minutes->DisplayFormat(), tooLong);
    minutes->SetText("");
    EXPECT_EQ(minutes->Value(), 1);
}

// ---------------------------------------------------------------------------------------
// Signs and parentheses

TEST_F(EditFormTest, ParenthesesAndMinusReadNegativeAndShowInParentheses) {
    auto* edit = Place(new TRzNumericEdit(form), 10, 90);
    form->Show();
    edit->SetFocus();
    edit->SelectAll();
    Type("(5)");
    EXPECT_EQ(edit->Value(), -5);
    Leave();
    EXPECT_EQ(edit->Text(), "(5)");

    edit->SetFocus();
    edit->SelectAll();
    Type("-5");
    EXPECT_EQ(edit->Text(), "-5");
    Leave();
    EXPECT_EQ(edit->Text(), "(5)");
}

TEST_F(EditFormTest, NothingMayBeTypedInFrontOfASign) {
    Show();
    Enter("-5");
    Key(VK_HOME);
    const int beeps = platform.windows.Beeps();
    Type("3-+");
    EXPECT_EQ(minutes->Text(), "-5");
    EXPECT_EQ(platform.windows.Beeps(), beeps + 3);
    Key(VK_END);
    Type("-");
    EXPECT_EQ(minutes->Text(), "-5") << "a second sign is refused";
    minutes->SelectAll();
    Type("+");
    EXPECT_EQ(minutes->Text(), "+");
    Key(VK_HOME);
    Key(VK_RIGHT, ssShift);
    Type("-");
    EXPECT_EQ(minutes->Text(), "-") << "a selection at 0 holding the sign may be replaced";
}

// ---------------------------------------------------------------------------------------
// Key filter

TEST_F(EditFormTest, IntegersOnlyRefusesSeparatorsLettersAndEnter) {
    Show();
    Enter("12");
    const int beeps = platform.windows.Beeps();
    Type(",.a\r");
    EXPECT_EQ(minutes->Text(), "12");
    EXPECT_EQ(platform.windows.Beeps(), beeps + 4);
    minutes->SetBeepOnInvalidKey(false);
    Type("x");
    EXPECT_EQ(platform.windows.Beeps(), beeps + 4);
}

TEST_F(EditFormTest, FractionsAndExponentsWhenIntegersOnlyIsOff) {
    minutes->SetIntegersOnly(false);
    Show();
    Enter("1e-3");
    EXPECT_EQ(minutes->Value(), Extended(0.001L));
    Enter("1E-3");
    EXPECT_EQ(minutes->Value(), Extended(0.001L));
    Enter("2.5");
    Type(".");
    EXPECT_EQ(minutes->Text(), "2.5") << "a second point is refused";
    minutes->SelectAll();
    Type(".");
    EXPECT_EQ(minutes->Text(), ".") << "unless the selection holds the first";
}

TEST_F(EditFormTest, TabOnEnterMovesTheFocusOn) {
    minutes->SetTabOnEnter(true);
    Show();
    const int beeps = platform.windows.Beeps();
    Key(VK_RETURN);
    Type("\r");
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(platform.windows.Beeps(), beeps);
}

TEST_F(EditFormTest, PastingIsNotFilteredButReadOnlyIgnoresPasteAndCut) {
    Show();
    platform.windows.SetClipboardText("abc");
    minutes->SelectAll();
    minutes->PasteFromClipboard();
    EXPECT_EQ(minutes->Text(), "abc");
    EXPECT_EQ(minutes->Value(), 0);
    minutes->SetReadOnly(true);
    platform.windows.SetClipboardText("9");
    minutes->SelectAll();
    minutes->PasteFromClipboard();
    minutes->CutToClipboard();
    EXPECT_EQ(minutes->Text(), "abc");
}

// ---------------------------------------------------------------------------------------
// Parser

TEST_F(EditFormTest, ParserReadsTheDisplayFormsAndGivesZeroForNonsense) {
    const std::vector<std::pair<std::string, Extended>> cases = {
        {"12,345", 12345},
        {"(1,234)", -1234},
        {"-5", -5},
        {"1E-3", 0.001L},
        {"-2E-3", -0.002L},
        {"letters", 0},
        {"1.2.3", 0},
        {"", 0},
        {"1E5000", 0},
        {"+7", 7},
        {"3 min", 3},
        {"1e", 0},
        {"E5", 0},
        {"0.5", 0.5},
        {"--4", -4},
        // The largest powers of ten the extended type holds exactly scale without rounding.
        {"1E27", 1e27L},
        {"25E-27", 25e-27L},
    };
    for (const auto& [text, value] : cases) {
        minutes->SetText(text);
        EXPECT_EQ(minutes->ParseText(), value) << text;
    }
}

// ---------------------------------------------------------------------------------------
// Loading

TEST_F(EditFormTest, LoadingAppliesTheValueWithoutNotifying) {
    auto* loaded = new TRzNumericEdit(form);
    std::vector<std::string> seen;
    loaded->OnChange = [&](TObject*) {
        seen.push_back(loaded->Text());
    };
    form->BeginLoading();
    loaded->SetParent(form);
    loaded->SetMax(10000);
    loaded->SetMin(1);
    loaded->SetValue(1234);
    loaded->SetDisplayFormat("0");
    EXPECT_EQ(loaded->Text(), "1,234");
    form->EndLoading();
    EXPECT_EQ(loaded->Text(), "1234");
    EXPECT_THAT(seen, IsEmpty());
    loaded->SetValue(5);
    EXPECT_THAT(seen, ElementsAre("5"));
}
