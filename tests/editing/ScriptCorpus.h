// SPDX-License-Identifier: GPL-3.0-or-later
// Macro texts for the script line tests and the editor's benchmark.
#pragma once

#include <string>
#include <vector>

namespace orvane::corpus {

// One canonical tag of every command the editor writes.
inline std::vector<std::string> EveryCommandTag() {
    return {
        "<CTLD>",
        "<CTLU>",
        "<ALTD>",
        "<ALTU>",
        "<SHFD>",
        "<SHFU>",
        "<WIND>",
        "<WINU>",
        "<LDN>",
        "<LUP>",
        "<LCLK>",
        "<LDCLK>",
        "<RDN>",
        "<RUP>",
        "<RCLK>",
        "<RDCLK>",
        "<MDN>",
        "<MUP>",
        "<MCLK>",
        "<MDCLK>",
        "<WFW:003>",
        "<WBW:012>",
        "<MMS:00100,00200>",
        "<MMW:00005,-0007>",
        "<PAUSE:010,020Hello>",
        "<PAUSE:000,000>",
        "<PAUSE>",
        "<DELAY:01.50>",
        "<DELAY:00.00>",
        "<MSD:0250>",
        "<WHIDE:Notes>",
        "<WSHOW:\"CURRENT\">",
        "<WMAX:\"CURRENT\">",
        "<WMIN:Calc>",
        "<WCLS:x>",
        "<WRES:Mail - Inbox>",
        "<WSHUT:Term>",
        "<WSIZE:0640,0480Editor>",
        "<WPOS:0010,0020\"CURRENT\">",
        "<IIII>",
        "<III>",
        "<II>",
        "<I>",
        "<REPEAT:0003>",
        "<PROMPTREP>",
        "<ENDREP>",
        "<BEGCLIP>",
        "<ENDCLIP>",
        "<CLIPC>",
        "<CLIPP>",
        "<CLIPF:/tmp/notes.txt>",
        "<WAV1:/usr/share/sounds/ding.wav>",
        "<WAV2:chime.wav>",
        "<BEEP>",
        "<SPEED:00.00>",
        "<SPEED:01.00>",
        "<SPEED:02.50>",
        "<SPEED:00.50>",
        "<SPKEY:0020>",
        "<SPMSE:0100>",
        "<CHDIR:/home/me/work>",
        "<DELFILE:/tmp/a.txt>",
        "<COPYFILE:/tmp/a.txt;/tmp/b.txt>",
        "<RENFILE:/tmp/old.txt;new.txt>",
        "<SWAP:/home/me/Other.ORV>",
        "<HTTP:https://example.org>",
        "<FTP:ftp.example.org>",
        "<REM:short note>",
        "<TFILE:/tmp/more.txt>",
        "<ACTIVATE:Untitled - Notepad>",
        "<LAUNCH:/usr/bin/gedit<PARAM>notes.txt>",
        "<LAUNCH:/usr/bin/xterm>",
        "<LAUNCHNO:05Gedit<LAUNCH:/usr/bin/gedit>",
        "<LAUNCHYES:10Gedit<LAUNCH:/usr/bin/gedit<PARAM>a b>",
        "<MM/DD/YY{YF000}>",
        "<DD Mmmmm YYYY{NF001}>",
        "<Day of Week 3{YP007}>",
        "<hh:mm:ss{Y}>",
        "<hh:mma{N}>",
    };
}

// Texts exactly as the editor writes them: loading and saving gives the same bytes.
inline std::vector<std::string> EditorWrittenTexts() {
    std::vector<std::string> texts = {
        "", "Hello<ENTER><REPEAT:0003>x<I><ENDREP><DELAY:00.20>!",
        "<REPEAT:0003>x<I><ENDREP>Hello<ENTER>!!", "Hello, World", "Typed exactly: abc 123",
        "ab<TAB>c", "ab<DELAY:01.50>c", "<REPEAT:0003><CTLD>x<CTLU><ENDREP>",
        // nested blocks: the inner end closes the outer block when played, but lines keep them
        "<REPEAT:0002>a<REPEAT:0003><I><ENDREP>b<ENDREP>",
        "<BEGCLIP>copied <TAB> text<ENDCLIP><CLIPP>",
        "<REPEAT:0002><BEGCLIP>x<I><ENDCLIP><CLIPP><ENDREP><PROMPTREP><SHFD>y<SHFU><ENDREP>",
        "Dear Sir,\r\n\r\nthank you.<ENTER><SHIFT>a<ALT:0233><ALT4:0128><F12><KEYP->",
        "<TEST><RIGHT MOUSE><MIDDLE MOUSE>", // tags the editor does not list stay in Text lines
    };
    std::string all;
    for (const std::string& tag : EveryCommandTag()) {
        texts.push_back(tag);
        all += tag;
        all += "t";
    }
    texts.push_back(all);
    return texts;
}

// Malformed tags: their closing check fails, so they are typed as text, and stay so.
inline std::string MalformedTags() {
    return "<DELAY:0.5><MSD:250><REPEAT:05><ALT:23><MMS:512,384><MM/DD/YY><hh:mm{X}>"
           "<tab><Nonsense>a<b<<>>";
}

// A macro of exactly 5000 characters, every command among plain text.
inline std::string FiveThousandCharacters() {
    std::string text;
    const std::vector<std::string> tags = EveryCommandTag();
    for (std::size_t i = 0; text.size() < 5000; ++i) {
        text += "Line " + std::to_string(i) + " of a long macro<ENTER>";
        text += tags[i % tags.size()];
    }
    text.resize(5000);
    return text;
}

} // namespace orvane::corpus
