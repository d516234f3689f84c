// SPDX-License-Identifier: GPL-3.0-or-later
// The user's input turned into macro text: what a capture of a sequence of key presses, clicks
// and wheel turns writes, and that the player plays it back as the same input.
#include "capture/CaptureScriptWriter.h"
#include "CaptureInput.h"
#include "playback/PlaybackFixture.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using M = CaptureModifier;

constexpr CaptureSettings Untimed{.Timing = false};
constexpr CaptureSettings Timed{.Timing = true};

std::string Record(const CaptureSettings& settings, const CaptureInput& input) {
    CaptureScriptWriter writer(settings);
    std::string text;
    for (const CaptureEvent& event : input.events) {
        text += writer.Feed(event);
    }
    return text + writer.Finish();
}

struct WriterCase {
    const char* Name;
    CaptureSettings Settings;
    CaptureInput Input;
    std::string Expected;
};

TEST(CaptureScriptWriter, KeysAndModifiers) {
    const WriterCase cases[] = {
        {"characters as typed; Shift only chose capitals", Untimed,
         CaptureInput()
             .Hold(M::Shift)
             .Type("H")
             .Let(M::Shift)
             .Type("ello, ")
             .Hold(M::Shift)
             .Type("W")
             .Let(M::Shift)
             .Type("orld")
             .Tap(13),
         "Hello, World<ENTER>"},
        {"Ctrl held over a letter", Untimed, CaptureInput().Hold(M::Ctrl).Type("c").Let(M::Ctrl),
         "<CTLD>c<CTLU>"},
        {"Shift held over a named key, let go before a character", Untimed,
         CaptureInput().Hold(M::Shift).Type("A").Tap(9).Type("B").Let(M::Shift),
         "A<SHFD><TAB><SHFU>B"},
        {"Ctrl+Shift over a letter keeps the capital", Untimed,
         CaptureInput().Hold(M::Ctrl).Hold(M::Shift).Type("T").Let(M::Shift).Let(M::Ctrl),
         "<CTLD>T<CTLU>"},
        {"both Shift keys: the hold ends with the last", Untimed,
         CaptureInput()
             .Hold(M::Shift, 50)
             .Hold(M::Shift, 62)
             .Tap(37)
             .Let(M::Shift, 50)
             .Tap(37)
             .Let(M::Shift, 62),
         "<SHFD><LEFT ARROW><LEFT ARROW><SHFU>"},
        {"a less-than sign never starts a tag", Untimed, CaptureInput().Type("<I>"),
         "<ALT4:0060>I>"},
        {"named keys", Untimed, CaptureInput().Tap(116).Tap(8).Tap(27).Tap(46).Tap(101),
         "<F5><BACKSPACE><ESC><DELETE><KEYP5>"},
        {"a held key repeats as the window received it", Untimed,
         CaptureInput()
             .Press('x', 'x')
             .Press('x', 'x', 0, true)
             .Press('x', 'x', 0, true)
             .Release('x'),
         "xxx"},
        {"keys that type nothing and AltGr leave no trace", Untimed,
         CaptureInput().Press(200).Release(200).Hold(M::Level).Type("@").Let(M::Level).Hold(
             M::Lock),
         "@"},
        {"a lone Alt opens the menu bar", Untimed,
         CaptureInput().Hold(M::Alt).Let(M::Alt).Type("f"), "<ALT><ALT>f"},
        {"a lone Alt without the option is left out",
         {.DoubleAlt = false, .Timing = false},
         CaptureInput().Hold(M::Alt).Let(M::Alt).Type("f"),
         "f"},
        {"Alt with a key is a hold", Untimed, CaptureInput().Hold(M::Alt).Type("f").Let(M::Alt),
         "<ALTD>f<ALTU>"},
        {"Ctrl+Alt tapped is not a lone Alt", Untimed,
         CaptureInput().Hold(M::Ctrl).Hold(M::Alt).Let(M::Alt).Let(M::Ctrl), ""},
        {"a lone Win tap", Untimed, CaptureInput().Hold(M::Win).Let(M::Win), "<LEFTWIN>"},
        {"the modifiers of the stop key are never written", Untimed,
         CaptureInput().Type("ok").Hold(M::Ctrl).Hold(M::Alt), "ok"},
        {"keystrokes off",
         {.Keys = false, .Timing = false},
         CaptureInput().Hold(M::Ctrl).Type("ab").Click(1, 3, 4).Let(M::Ctrl),
         "<MMS:00003,00004><LCLK>"},
    };
    for (const WriterCase& c : cases) {
        EXPECT_EQ(Record(c.Settings, c.Input), c.Expected) << c.Name;
    }
}

TEST(CaptureScriptWriter, Mouse) {
    const CaptureSettings toWindow{.ToScreen = false, .Timing = false};
    const CaptureSettings sized{.ToScreen = false, .WindowSize = true, .Timing = false};
    const WindowRect editor{100, 50, 640, 480};
    const WriterCase cases[] = {
        {"clicks where they happened", Untimed,
         CaptureInput().Click(1, 10, 20).Click(1, 10, 20).Click(3, 30, 40),
         "<MMS:00010,00020><LCLK><LCLK><MMS:00030,00040><RCLK>"},
        {"modifiers held across clicks", Untimed,
         CaptureInput().Hold(M::Ctrl).Click(1, 10, 20).Click(2, 30, 40).Let(M::Ctrl),
         "<CTLD><MMS:00010,00020><LCLK><MMS:00030,00040><MCLK><CTLU>"},
        {"Shift held across a click, then a character", Untimed,
         CaptureInput().Hold(M::Shift).Click(1, 5, 5).Type("X").Let(M::Shift),
         "<SHFD><MMS:00005,00005><LCLK><SHFU>X"},
        {"a drag", Untimed, CaptureInput().ButtonDown(1, 5, 5).ButtonUp(1, 50, 60),
         "<MMS:00005,00005><LDN><MMS:00050,00060><LUP>"},
        {"a key while the button is down", Untimed,
         CaptureInput().ButtonDown(1, 5, 5).Type("a").ButtonUp(1, 5, 5),
         "<MMS:00005,00005><LDN>a<LUP>"},
        {"a button still down at the end is let go", Untimed, CaptureInput().ButtonDown(3, 1, 2),
         "<MMS:00001,00002><RDN><RUP>"},
        {"a release without its press", Untimed, CaptureInput().ButtonUp(1, 9, 9), ""},
        {"wheel notches in a run make one tag", Untimed,
         CaptureInput().Wheel(1, 7, 8).At(1050).Wheel(1, 7, 8).At(1100).Wheel(1, 7, 8).Wheel(-1, 7,
                                                                                             8),
         "<MMS:00007,00008><WFW:003><WBW:001>"},
        {"wheel notches apart are apart", Untimed,
         CaptureInput().Wheel(-1, 7, 8).At(2000).Wheel(-1, 7, 8),
         "<MMS:00007,00008><WBW:001><WBW:001>"},
        {"buttons beyond the third and the horizontal wheel are left out", Untimed,
         CaptureInput().Click(8, 1, 1).Wheel(0, 1, 1), ""},
        {"an Alt held over a click is no lone Alt", Untimed,
         CaptureInput().Hold(M::Alt).Click(1, 1, 1).Let(M::Alt),
         "<ALTD><MMS:00001,00001><LCLK><ALTU>"},
        {"mouse off",
         {.Mouse = false, .Timing = false},
         CaptureInput().Click(1, 1, 1).Wheel(1, 1, 1).Type("a"),
         "a"},
        {"positions from the window's corner, the window brought forward first", toWindow,
         CaptureInput()
             .In(7, "Editor", editor)
             .Click(1, 150, 80)
             .Type("x")
             .In(9, "Other", editor)
             .Click(1, 101, 51),
         "<ACTIVATE:Editor><MMW:00050,00030><LCLK>x<ACTIVATE:Other><MMW:00001,00001><LCLK>"},
        {"with the window's size", sized, CaptureInput().In(7, "Ed>itor", editor).Type("k"),
         "<ACTIVATE:Ed><WSIZE:0640,0480Ed>k"},
        {"a window left of the pointer gives negative positions", toWindow,
         CaptureInput().In(7, "E", editor).Click(1, 90, 40), "<ACTIVATE:E><MMW:-0010,-0010><LCLK>"},
        {"an untitled window cannot be named", toWindow,
         CaptureInput().In(7, "", editor).Click(1, 100, 50), "<MMW:00000,00000><LCLK>"},
    };
    for (const WriterCase& c : cases) {
        EXPECT_EQ(Record(c.Settings, c.Input), c.Expected) << c.Name;
    }
}

TEST(CaptureScriptWriter, Timing) {
    const WriterCase cases[] = {
        {"gaps between actions", Timed,
         CaptureInput().At(1000).Type("a").At(1250).Type("b").At(1255).Type("c").At(1300).Type("d"),
         "a<MSD:0250>bc<MSD:0050>d"},
        {"a modifier goes down when it went down", Timed,
         CaptureInput().At(1000).Type("a").At(1100).Hold(M::Ctrl).At(1400).Type("v").At(1500).Let(
             M::Ctrl),
         "a<MSD:0100><CTLD><MSD:0300>v<MSD:0100><CTLU>"},
        {"a click is timed from its press", Timed,
         CaptureInput().At(5000).Type("a").At(5600).ButtonDown(1, 2, 2).At(5680).ButtonUp(1, 2, 2),
         "a<MSD:0600><MMS:00002,00002><LCLK>"},
        {"long waits in seconds", Timed,
         CaptureInput().At(0).Type("a").At(12345).Type("b").At(162345).Type("c").At(3000000).Type(
             "d"),
         "a<DELAY:12.35>b<DELAY:150.0>c<DELAY:02838>d"},
        {"the input clock wraps", Timed,
         CaptureInput().At(0xFFFFFF00u).Type("a").At(0x00000064u).Type("b"), "a<MSD:0356>b"},
    };
    for (const WriterCase& c : cases) {
        EXPECT_EQ(Record(c.Settings, c.Input), c.Expected) << c.Name;
    }
}

// What the writer writes is what the player reads: recorded input plays back as the same keys
// and buttons, never as typed tag text.
class CaptureRoundTrip : public PlaybackFixture {};

TEST_F(CaptureRoundTrip, RecordedInputPlaysBack) {
    const CaptureInput input = CaptureInput()
                                   .Hold(M::Shift)
                                   .Type("H")
                                   .Tap(9)
                                   .Let(M::Shift)
                                   .Type("i<")
                                   .Hold(M::Ctrl)
                                   .Type("c")
                                   .Click(1, 10, 10)
                                   .Let(M::Ctrl)
                                   .Hold(M::Alt)
                                   .Let(M::Alt)
                                   .Wheel(-2, 10, 10)
                                   .Tap(13);
    const std::string script = Record(Untimed, input);
    std::string played = Play(script);
    // Moves are absolute coordinates; their place is tested above.
    std::string withoutMoves;
    for (const std::string& entry : trace.Entries()) {
        if (entry.rfind("MOVE:", 0) != 0) {
            withoutMoves += (withoutMoves.empty() ? "" : " ") + entry;
        }
    }
    // "<" is typed by its character code (Alt and 0060 on the keypad here).
    EXPECT_EQ(withoutMoves, "+SHIFT +H -H -SHIFT +SHIFT +TAB -TAB -SHIFT +I -I +ALT +KP0 -KP0 +KP0 "
                            "-KP0 +KP6 -KP6 +KP0 -KP0 -ALT +CTRL +C -C LDOWN LUP -CTRL +ALT -ALT "
                            "WHEEL:-240 +ENTER -ENTER")
        << script;
}

} // namespace
} // namespace orvane
