// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop receives for characters, keys, modifiers and mouse tags.
#include "PlaybackFixture.h"

namespace orvane {
namespace {

class KeySynthesisTest : public PlaybackFixture {};

TEST_F(KeySynthesisTest, CharactersKeysAndModifiers) {
    const TraceCase cases[] = {
        {"a", "+A -A"},
        {"A", "+SHIFT +A -A -SHIFT"},
        {"!;", "+SHIFT +1 -1 -SHIFT +SEMICOLON -SEMICOLON"},
        {"a<b", "+A -A +SHIFT +COMMA -COMMA -SHIFT +B -B"},
        {"<tab>", "+SHIFT +COMMA -COMMA -SHIFT +T -T +A -A +B -B +SHIFT +PERIOD -PERIOD -SHIFT"},
        {"x\r\ny", "+X -X +ENTER -ENTER +Y -Y"},
        {"x\ny", "+X -X +ENTER -ENTER +Y -Y"}, // a lone line feed is a line break too
        {"\r\r\n", "+ENTER -ENTER +ENTER -ENTER"},
        {"\t \b", "+TAB -TAB +SPACE -SPACE +BS -BS"},
        {"\x01", "+CTRL +A -A -CTRL"},
        {"\x1F", ""}, // a control character without a key is not typed
        {"<TAB><ENTER><F10><KEYP-><PA1>", "+TAB -TAB +ENTER -ENTER +F10 -F10 +KP- -KP- +PA1 -PA1"},
        {"<SHIFT>a", "+SHIFT +A -A -SHIFT"},
        {"<SHIFT><SHIFT>a", "+SHIFT +SHIFT +A -A -SHIFT"}, // a mark, not a count
        {"<CTRL><HOME>x", "+CTRL +HOME -HOME -CTRL +X -X"},
        {"<ALT>f", "+ALT +F -F -ALT"},
        {"<ALT><ALT>", "+ALT -ALT"},
        {"<SHIFT>A", "+SHIFT +SHIFT +A -A -SHIFT"},
        {"<SHFD>ab<SHFU>", "+SHIFT +A -A +B -B -SHIFT"},
        {"<CTLD><CTLU><ALTD><ALTU><WIND><WINU>", "+CTRL -CTRL +ALT -ALT +LWIN -LWIN"},
        {"<CTRL><RIGHT MOUSE>", "+CTRL +RBUTTON -RBUTTON -CTRL"},
        {"<MIDDLE MOUSE>", "+MBUTTON -MBUTTON"},
        {"<CLIPC>", "+CTRL +C -C -CTRL"},
        {"<CLIPP>", "+CTRL +V -V -CTRL wait:100ms"},
        {"\xE9", "+ALT +KP0 -KP0 +KP2 -KP2 +KP3 -KP3 +KP3 -KP3 -ALT"},
        // An Alt code leaves pending one-shots held until the next key.
        {"<SHIFT>\x80x", "+SHIFT +ALT +KP0 -KP0 +KP1 -KP1 +KP2 -KP2 +KP8 -KP8 -ALT +X -X -SHIFT"},
        {"<ALT:065>", "+ALT +KP0 -KP0 +KP6 -KP6 +KP5 -KP5 -ALT"},
        {"<ALT4:0169>", "+ALT +KP0 -KP0 +KP1 -KP1 +KP6 -KP6 +KP9 -KP9 -ALT"},
        {"<ALT:6x5>", "+ALT +KP6 -KP6 +KP5 -KP5 -ALT"}, // only digits are struck
        {"<ALT:abc>", ""},                              // no lone Alt tap
        {"<SHIFT><ALT:065>a", "+SHIFT +ALT +KP0 -KP0 +KP6 -KP6 +KP5 -KP5 -ALT +A -A -SHIFT"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(KeySynthesisTest, ShiftStatesOfOtherLayouts) {
    input.Layout['@'] = KeyScan{'Q', 6}; // AltGr+Q, as Ctrl+Alt
    input.Layout['{'] = KeyScan{'7', 7};
    input.Layout['#'] = KeyScan{'3', 3}; // a state that presses no modifier
    EXPECT_EQ(Play("@"), "+CTRL +ALT +Q -Q -CTRL -ALT");
    EXPECT_EQ(Play("{"), "+SHIFT +CTRL +ALT +7 -7 -SHIFT -CTRL -ALT");
    EXPECT_EQ(Play("#"), "+3 -3");
}

TEST_F(KeySynthesisTest, CharactersTheLayoutCannotPlaceAreTypedByOtherMeans) {
    input.Layout['~'] = std::nullopt;
    EXPECT_EQ(Play("~"), "TYPE:U+007E");
    EXPECT_EQ(Play("<SHIFT>~a"), "+SHIFT TYPE:U+007E -SHIFT +A -A");
}

TEST_F(KeySynthesisTest, OneShotMarksBelongToTheirLevel) {
    // The nested text types with the outer Shift held but cannot release it; the outer level's
    // next character does.
    commands.Files["inner"] = "b";
    EXPECT_EQ(Play("<SHIFT><TFILE:inner>a"), "+SHIFT +B -B +A -A -SHIFT");
}

TEST_F(KeySynthesisTest, MouseTags) {
    commands.Origin = WindowOrigin{100, 200};
    const TraceCase cases[] = {
        {"<LDN><LUP><LCLK>", "LDOWN LUP LDOWN LUP"},
        {"<RDCLK>", "RDOWN RUP RDOWN RUP"},
        {"<MDN><MUP><MCLK>", "MDOWN MUP MDOWN MUP"},
        {"<WFW:003><WBW:002>", "WHEEL:360 WHEEL:-240"},
        {"<MMS:00512,00384>", "MOVE:32767,32767"},
        {"<MMS:01024,00768>", "MOVE:65535,65535"},
        {"<MMS:0.5e3,  384>", "MOVE:31999,32767"},
        {"<MMW:00010,00020>", "MOVE:7039,18773"},            // (110, 220) on the screen
        {"<SHIFT><LCLK>a", "+SHIFT LDOWN LUP +A -A -SHIFT"}, // mouse tags keep one-shots
        {"<SPMSE:0050><LDCLK>", "wait:50ms LDOWN LUP LDOWN LUP"},
        {"<SPMSE:0050><WFW:001><MMS:00000,00000>", "wait:50ms WHEEL:120 wait:50ms MOVE:0,0"},
        {"<SPMSE:0050><SPMSE:0000><LCLK>", "LDOWN LUP"},
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(KeySynthesisTest, KeystrokeDelayAndSpeedFactor) {
    const TraceCase cases[] = {
        {"<SPKEY:0100>ab", "wait:100ms +A -A wait:100ms +B -B"},
        {"<SPKEY:0100><TAB><ALT:065>",
         "wait:100ms +TAB -TAB wait:100ms +ALT +KP0 -KP0 +KP6 -KP6 +KP5 -KP5 -ALT"},
        {"<SPKEY:0100><RIGHT MOUSE><SHFD><CLIPC>",
         "+RBUTTON -RBUTTON +SHIFT +CTRL +C -C -CTRL"}, // these take no keystroke delay
        {"<SPKEY:0100><SPEED:00.50>a", "wait:50ms +A -A"},
        {"<SPEED:00.50><MSD:0003>", "wait:1ms"}, // 1.5 ms truncated
        {"<SPEED:00000><SPKEY:0100><SPMSE:0100>a<LCLK><DELAY:00010><MSD:0500>", "+A -A LDOWN LUP"},
        {"<SPKEY:-001>a", "+A -A"}, // a negative delay is no delay
    };
    for (const TraceCase& c : cases) {
        EXPECT_EQ(Play(c.Text), c.Expected) << c.Text;
    }
}

} // namespace
} // namespace orvane
