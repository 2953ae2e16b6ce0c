// Loading the settings file at start-up and saving the send list.
#include "WindowTestSupport.h"

#include "ui/qt/QtWidgetOf.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

namespace pellow {
namespace {

using test::Pty;
using test::ScratchFolder;
using test::TestWindow;

struct Loaded {
    std::string bps, byteSize, stopBits, parity;
    std::string edt1, edt4;
    bool cb1, cb4, cb5;
};

struct LoadCase {
    const char* name;
    std::string file; // empty: no file at all
    Loaded expected;
};

// The form's defaults before any loading.
const Loaded Defaults{"9600", "8", "1", "None", "41 54 0D 0A 31 32", "", true, false, false};

class LoadSettingsTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettingsTest, Loads) {
    const auto& c = GetParam();
    Pty pty;
    ScratchFolder folder;
    if (!c.file.empty()) {
        folder.WriteIni(c.file);
    }
    TestWindow w({pty.SlavePath()}, folder.Path());
    w->FormShow();
    const Loaded got{w->cbBPS->Text(),         w->cbByteSize->Text(),    w->cbStopBits->Text(),
                     w->cbParity->Text(),      w->edtEntry[1]->Text(),   w->edtEntry[4]->Text(),
                     w->cbEntry[1]->Checked(), w->cbEntry[4]->Checked(), w->cbEntry[5]->Checked()};
    EXPECT_EQ(got.bps, c.expected.bps);
    EXPECT_EQ(got.byteSize, c.expected.byteSize);
    EXPECT_EQ(got.stopBits, c.expected.stopBits);
    EXPECT_EQ(got.parity, c.expected.parity);
    EXPECT_EQ(got.edt1, c.expected.edt1);
    EXPECT_EQ(got.edt4, c.expected.edt4);
    EXPECT_EQ(got.cb1, c.expected.cb1);
    EXPECT_EQ(got.cb4, c.expected.cb4);
    EXPECT_EQ(got.cb5, c.expected.cb5);
}

std::string ValidList(const std::string& extra) {
    std::string text = "[SendList]\r\n";
    for (int n = 1; n <= 20; ++n) {
        text += "data" + std::to_string(n) + "=\r\n" + std::to_string(n) + "=0\r\n";
    }
    return text + extra;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadSettingsTest,
    testing::Values(
        LoadCase{"NoFile", "", Defaults},
        LoadCase{"OnlyComSettingIsIgnored", "[COMSetting]\r\nBandRate=11\r\n", Defaults},
        LoadCase{"MarkYesLoadsNothing",
                 "[SendList]\r\n12=yes\r\ndata1=x\r\n1=0\r\n[COMSetting]\r\nBandRate=11\r\n"
                 "ByteSize=2\r\nStopBits=1\r\nParity=3\r\n",
                 Defaults},
        LoadCase{"AllParameters",
                 "[SendList]\r\n12=1\r\n[COMSetting]\r\nBandRate=11\r\nByteSize=2\r\n"
                 "StopBits=1\r\nParity=3\r\n",
                 {"115200", "7", "1.5", "Odd", "", "", true, true, true}},
        LoadCase{"BandRateNotANumberGivesDefaults",
                 "[SendList]\r\n12=0\r\n[COMSetting]\r\nBandRate=x\r\nByteSize=2\r\n"
                 "StopBits=1\r\nParity=3\r\n",
                 {"9600", "8", "1", "None", "", "", true, true, true}},
        LoadCase{"IndexOutsideTheListGivesDefaults",
                 "[SendList]\r\n12=0\r\n[COMSetting]\r\nBandRate=12\r\nByteSize=2\r\n"
                 "StopBits=1\r\nParity=3\r\n",
                 {"9600", "8", "1", "None", "", "", true, true, true}},
        LoadCase{"FlagTwoOrMissingChecks",
                 ValidList("")
                     .replace(ValidList("").find("4=0"), 3, "4=2")
                     .replace(ValidList("").find("5=0"), 4, ""),
                 {"9600", "8", "1", "None", "", "", false, true, true}},
        LoadCase{"EntryTextAndFlag",
                 "[SendList]\r\n12=0\r\ndata4=AT+GMR\r\n4=1\r\n1=0\r\ndata1=hello\r\n",
                 {"9600", "8", "1", "None", "hello", "AT+GMR", false, true, true}},
        LoadCase{"WindowsSpelling",
                 "[sendlist]\r\n  12 = 1 \r\nDATA4=\" padded \"\r\n4=0\r\n[comsetting]\r\n"
                 "bandrate=0\r\nbytesize=0\r\nstopbits=2\r\nparity=4\r\n",
                 {"300", "5", "2", "Space", "", " padded ", true, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadSettingsTest, LoadingKeepsTheFlagsOfTheFile) {
    Pty pty;
    ScratchFolder folder;
    folder.WriteIni("[SendList]\r\n12=0\r\ndata4=AT\r\n4=1\r\ndata1=x\r\n1=0\r\n");
    TestWindow w({pty.SlavePath()}, folder.Path());
    w->FormShow();
    TIniFile ini(folder.Ini());
    EXPECT_EQ(ini.ReadString("SendList", "4", ""), "1");
    EXPECT_EQ(ini.ReadString("SendList", "1", ""), "0");
}

// Counts how often the settings file in a folder is replaced. Each replacement renames a
// temporary file of its own name away; the kernel would merge repeated identical events,
// such as renames onto the same name.
class ReplacementCounter {
public:
    explicit ReplacementCounter(const std::filesystem::path& folder)
        : fd_(::inotify_init1(IN_NONBLOCK)) {
        ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_FROM);
    }
    ~ReplacementCounter() { ::close(fd_); }
    // The replacements of the named file since the last call.
    int Take(const std::string& name) {
        int count = 0;
        alignas(inotify_event) char buffer[65536];
        ssize_t size = 0;
        while ((size = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                count += event->len > 0 && std::string(event->name).starts_with(name + ".");
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int fd_;
};

TEST(LoadSettingsTest, StartUpReplacesTheFileOnceAtMostAndAKeystrokeOnce) {
    Pty pty;
    ScratchFolder folder;
    std::string file = ValidList("");
    for (int n = 1; n <= 5; ++n) {
        const std::string key = "data" + std::to_string(n) + "=";
        file.replace(file.find(key + "\r"), key.size(), key + "entry " + std::to_string(n));
    }
    folder.WriteIni(file.replace(file.find("\n4=0"), 4, "\n4=2"));
    ReplacementCounter replaced(folder.Path());
    {
        TestWindow w({pty.SlavePath()}, folder.Path());
        w->FormShow();
        EXPECT_EQ(replaced.Take("Tarvik.ini"), 1);
        TIniFile ini(folder.Ini());
        EXPECT_EQ(ini.ReadString("SendList", "4", ""), "1");
        EXPECT_EQ(ini.ReadString("SendList", "5", ""), "0");
        EXPECT_EQ(ini.ReadString("SendList", "data5", ""), "entry 5");

        w->cbEntry[2]->SetChecked(true);
        QTest::keyClicks(QtWidgetOf(w->edtEntry[2]), "!");
        EXPECT_EQ(replaced.Take("Tarvik.ini"), 2);
        EXPECT_EQ(ini.ReadString("SendList", "data2", ""), "entry 2!");
        EXPECT_EQ(ini.ReadString("SendList", "2", ""), "1");
    }
    // A file as the window left it loads without being written at all.
    TestWindow again({pty.SlavePath()}, folder.Path());
    again->FormShow();
    EXPECT_EQ(again->edtEntry[2]->Text(), "entry 2!");
    EXPECT_EQ(replaced.Take("Tarvik.ini"), 0);
}

TEST(LoadSettingsTest, EightBitAndLongEntriesKeepTheirBytesAndAreSentAsStored) {
    Pty pty;
    ScratchFolder folder;
    const std::string cp1252 = "Gr\xFC\xDF\x65";
    const std::string gbk = "\xC4\xE3\xBA\xC3";
    const std::string longText = std::string(100000, 'y') + "\xFC";
    folder.WriteIni("[SendList]\r\n12=0\r\ndata3=" + cp1252 + "\r\n3=0\r\ndata4=" + gbk +
                    "\r\n4=0\r\ndata5=" + longText + "\r\n5=0\r\n");
    {
        TestWindow w({pty.SlavePath()}, folder.Path());
        w->FormShow();
        QTest::keyClicks(QtWidgetOf(w->edtEntry[1]), "z");
        QtWidgetOf<QAbstractButton>(w->cbEntry[3])->click();
        QtWidgetOf<QAbstractButton>(w->btnEntry[4])->click();
        EXPECT_EQ(pty.Read(gbk.size(), std::chrono::seconds(10)), gbk);
        TCloseAction action = TCloseAction::caFree;
        w->FormClose(action);
    }
    const std::string ini = folder.ReadIni();
    for (const std::string& line :
         {"data3=" + cp1252, "data4=" + gbk, "data5=" + longText, std::string("3=1")}) {
        EXPECT_NE(ini.find("\r\n" + line + "\r\n"), std::string::npos) << line.substr(0, 20);
    }
}

TEST(SaveSendListTest, FirstEntrySaveWritesTheWholeList) {
    Pty pty;
    ScratchFolder folder;
    TestWindow w({pty.SlavePath()}, folder.Path());
    w->FormShow();
    QtWidgetOf<QLineEdit>(w->edtEntry[7])->setText(QStringLiteral("two\nlines"));
    w->SaveSendListEntry(7);
    TIniFile ini(folder.Ini());
    EXPECT_EQ(ini.ReadString("SendList", "12", ""), "0");
    EXPECT_EQ(ini.ReadString("SendList", "1", ""), "1");
    EXPECT_EQ(ini.ReadString("SendList", "data1", ""), "41 54 0D 0A 31 32");
    EXPECT_EQ(ini.ReadString("SendList", "data7", ""), "two\nlines");

    // The next start loads it all back.
    TestWindow again({pty.SlavePath()}, folder.Path());
    again->FormShow();
    EXPECT_EQ(again->edtEntry[7]->Text(), "two\nlines");
    EXPECT_EQ(again->edtEntry[1]->Text(), "41 54 0D 0A 31 32");
    EXPECT_TRUE(again->cbEntry[1]->Checked());
    EXPECT_FALSE(again->cbEntry[7]->Checked());
}

TEST(SettingsWriteFailureTest, GoesToTheGeneralErrorReport) {
    Pty pty;
    ScratchFolder folder;
    const auto gone = folder.Path() / "gone";
    TestWindow w({pty.SlavePath()}, gone);
    w->FormShow();
    w->btnCOMClick();              // close, so the parameter boxes can be changed
    QtWidgetOf<QComboBox>(w->cbBPS)->setCurrentIndex(11); // as the user picks it
    ASSERT_EQ(w.messages->Entries.size(), 1u);
    EXPECT_EQ(w.messages->Entries[0].kind, TRecordingMessageBox::Kind::Error);
    EXPECT_EQ(w.messages->Entries[0].text, "Unable to write to " + (gone / "Tarvik.ini").string());
    EXPECT_EQ(w->cbBPS->Text(), "115200");
    // The window goes on working.
    w->btnCOMClick();
    EXPECT_EQ(w->btnCOM->Caption(), "CLOSE");
}

} // namespace
} // namespace pellow
