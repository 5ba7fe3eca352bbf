// The start-up update check of the real program against a real HTTP server on this machine: Tessaly_localhost.exe
// is the program built with its update server at 127.0.0.1 (LocalHttpServer's port). Which numbers make it ask, what
// the question says, what Yes and No do, and that an unreachable or silent server never holds up start-up.
#include "app/LocalHttpServer.h"
#include "app/ShellCommandOverride.h"
#include "driver/Files.h"
#include "driver/Input.h"
#include "driver/MessageDialog.h"
#include "driver/Probe.h"
#include "driver/Program.h"
#include "driver/Screenshot.h"
#include "driver/Text.h"
#include "driver/ShellWindows.h"
#include "driver/Wait.h"
#include "driver/Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace driver;
using update_test::LocalHttpServer;

namespace {

const std::string kVersionPath = "/kessa/soft/ver/Tessaly.txt";
const std::string kCommentPath = "/kessa/soft/coment/Tessaly.txt";
const std::string kVersionRequest = "GET /kessa/soft/ver/Tessaly.txt HTTP/1.1";
const std::string kCommentRequest = "GET /kessa/soft/coment/Tessaly.txt HTTP/1.1";

// A base folder holding the test build of the program and its settings (update check as the test says).
class UpdateSession {
public:
    explicit UpdateSession(const std::vector<std::string>& option = {})
    {
        std::vector<std::string> ini = {"[extension]", "count=1", "ex1=.txt"};
        if (!option.empty()) {
            ini.push_back("[Option]");
            ini.insert(ini.end(), option.begin(), option.end());
        }
        dir_.WriteIni(ini);
        dir_.WriteFile("memo.txt", "memo");
        program_ = std::make_unique<Program>(dir_.Path(), "Tessaly_localhost.exe");
    }
    ~UpdateSession() { program_.reset(); }  // the program and what it started go before the folder

    const TempDir& Dir() const { return dir_; }
    Program& App() { return *program_; }

private:
    TempDir dir_;
    std::unique_ptr<Program> program_;
};

// True when the message box shows an icon.
bool HasIcon(const MessageDialog& box)
{
    for (const Window& child : box.AsWindow().Descendants()) {
        if (child.ClassName() == "Static" && (child.Style() & SS_TYPEMASK) == SS_ICON && child.IsVisible() &&
            SendW(child.Handle(), STM_GETICON, 0, 0) != 0) {
            return true;
        }
    }
    return false;
}

// The question's text for a version, written out here on its own.
std::string QuestionFor(const std::string& version)
{
    return "バージョン" + version + "がリリースされています。\n\rダウンロードしますか？";
}

// Starts the program against the server, which offers 1.9, answers Yes and returns the text of the comment box that
// follows within wait; then closes the box and the folder window that follows it and sees the program end.
std::string CommentShownAfterYes(const LocalHttpServer& server, Timeout wait = kDefaultTimeout)
{
    UpdateSession session;
    const std::string browser = CopyProbe(session.Dir().MakeDir("Browser"), "urlprobe.exe");
    const shell_test::ShellCommandOverride http("http", browser, shell_test::kWineBrowserCommand);

    const MessageDialog question = session.App().StartExpectingMessageBox();
    EXPECT_EQ(question.Text(), QuestionFor("1.9"));
    question.Press("はい(&Y)");
    const MessageDialog comment = session.App().WaitForMessageBox(wait);
    const std::string shown = comment.Text();
    comment.Press("OK");
    WaitForProbeLog(browser);
    if (const Window folder = WaitFor([&] { return FolderWindowStartedBy(session.App().ProcessId()); },
                                      "the program's folder in a folder window")) {
        EndProcessOf(folder);
    }
    EXPECT_TRUE(session.App().WaitForExit().has_value()) << "the program must end";
    EXPECT_EQ(server.RequestLines(), (std::vector<std::string>{kVersionRequest, kCommentRequest}));
    return shown;
}

}  // namespace

// Version files that hold no greater number than 1.851, and everything that is not a bare number, give no
// question: start-up goes on to the main window after exactly one request, made with the agent "MyApp".
TEST(UpdateCheck, NoQuestionUnlessTheServerOffersAGreaterNumber)
{
    struct Case {
        std::string name;
        std::string body;
        int status;
    };
    const std::vector<Case> cases = {
        {"the same version", "1.851", 200},
        {"an older version", "1.8", 200},
        {"1.10, which is 1.1", "1.10", 200},
        {"a newer number followed by CR LF", "1.9\r\n", 200},
        {"a 404 page", "<html><body><h1>404 Not Found</h1></body></html>", 404},
        {"a 404 whose body is a greater number", "2", 404},
        {"two points", "1.2.3", 200},
        {"a lone point", ".", 200},
        {"an empty body", "", 200},
        {"a 0 byte before a greater number", std::string("\0" "2", 2), 200},
        {"5 MB of digits", std::string(5 * 1024 * 1024, '9'), 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server;
        server.Serve(kVersionPath, c.body, c.status);
        UpdateSession session;
        ASSERT_NO_THROW(session.App().Start());
        EXPECT_EQ(session.App().MessageBoxesSeen(), 0);
        EXPECT_TRUE(session.App().IsRunning());
        const std::vector<LocalHttpServer::Request> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].line, kVersionRequest);
        EXPECT_EQ(requests[0].userAgent, "MyApp");
    }
}

// A greater number asks, before the main window, in a box without icon under the application title with Yes as the
// default; No (the button, or Escape) lets start-up go on as if there were no update, and nothing more is fetched.
TEST(UpdateCheck, GreaterNumbersAskAndNoLetsStartUpGoOn)
{
    struct Case {
        std::string version;
        bool byEscape;
    };
    for (const Case& c : std::vector<Case>{{"1.852", false}, {"1.9", true}, {"2", false}}) {
        SCOPED_TRACE(c.version);
        LocalHttpServer server;
        server.Serve(kVersionPath, c.version);
        server.Serve(kCommentPath, "comment");
        UpdateSession session;
        const MessageDialog box = session.App().StartExpectingMessageBox();
        EXPECT_EQ(box.Text(), QuestionFor(c.version));
        EXPECT_EQ(box.Caption(), "Tessaly");
        EXPECT_EQ(box.Buttons(), (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
        EXPECT_FALSE(HasIcon(box));
        for (const Window& button : box.AsWindow().Descendants()) {
            if (button.ClassName() == "Button" && button.Text() == "はい(&Y)") {
                EXPECT_EQ(button.Style() & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "Yes is the default button";
            }
        }
        if (c.version == "1.852") Screenshot("update_check_question", box.AsWindow());
        if (c.byEscape) {
            PressKeys(box.AsWindow(), "Esc");
            EXPECT_TRUE(WaitUntil([&] { return !box.IsOpen(); }, "the question answered by Escape"));
        } else {
            box.Press("いいえ(&N)");
        }
        ASSERT_NO_THROW(session.App().MainWindow());
        EXPECT_EQ(session.App().MessageBoxesSeen(), 1);
        EXPECT_EQ(server.RequestLines(), std::vector<std::string>{kVersionRequest});
    }
}

// Yes: the comment is shown as the server has it (empty when the comment file is missing), the program's folder and
// the download page go to the shell with the program's folder as working directory, and the program ends without
// showing its main window.
TEST(UpdateCheck, YesShowsTheCommentOpensFolderAndDownloadPageAndEnds)
{
    struct Case {
        std::string name;
        std::optional<std::string> comment;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"with a comment", std::string("新しい検索機能を追加しました。"), "新しい検索機能を追加しました。"},
        {"without a comment file", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server;
        server.Serve(kVersionPath, "1.9");
        if (c.comment) server.Serve(kCommentPath, ToCodePage932(*c.comment));
        UpdateSession session;
        const std::string browser = CopyProbe(session.Dir().MakeDir("Browser"), "urlprobe.exe");
        const shell_test::ShellCommandOverride http("http", browser, shell_test::kWineBrowserCommand);

        const MessageDialog question = session.App().StartExpectingMessageBox();
        ASSERT_EQ(question.Text(), QuestionFor("1.9"));
        question.Press("はい(&Y)");
        const MessageDialog comment = session.App().WaitForMessageBox();
        EXPECT_EQ(comment.Text(), c.shown);
        EXPECT_EQ(comment.Caption(), "Tessaly");
        EXPECT_EQ(comment.Buttons(), std::vector<std::string>{"OK"});
        EXPECT_FALSE(session.App().FindTopWindow("TForm1")) << "the main window must not show";
        if (c.comment) Screenshot("update_check_comment", comment.AsWindow());
        comment.Press("OK");

        const ProbeRecord page = WaitForProbeLog(browser);
        EXPECT_NE(page.commandLine.find("\"http://127.0.0.1:" + std::to_string(update_test::kUpdatePort) +
                                        "/kessa/\""),
                  std::string::npos)
            << page.commandLine;
        EXPECT_EQ(page.currentDirectory, session.Dir().Path());
        const Window folder = WaitFor([&] { return FolderWindowStartedBy(session.App().ProcessId()); },
                                      "the program's folder in a folder window");
        EXPECT_EQ(folder.Text(), session.Dir().Path().substr(session.Dir().Path().rfind('\\') + 1)) << ::testing::PrintToString(folder);
        EndProcessOf(folder);

        EXPECT_TRUE(session.App().WaitForExit().has_value()) << "the program must end";
        EXPECT_EQ(session.App().MessageBoxesSeen(), 2);
        EXPECT_EQ(server.RequestLines(), (std::vector<std::string>{kVersionRequest, kCommentRequest}));
        for (const LocalHttpServer::Request& request : server.Requests()) EXPECT_EQ(request.userAgent, "MyApp");
    }
}

// A refused connection and a server that accepts but never answers: start-up goes on silently; the whole check
// gives up after 3 s, so the silent server holds start-up up for 3 s and a little (6 s allowed for a busy machine).
TEST(UpdateCheck, UnreachableOrSilentServerDoesNotHoldUpStartUp)
{
    {
        SCOPED_TRACE("connection refused");
        LocalHttpServer server(LocalHttpServer::Behaviour::Refuse);
        UpdateSession session;
        ASSERT_NO_THROW(session.App().Start());
        EXPECT_EQ(session.App().MessageBoxesSeen(), 0);
    }
    {
        SCOPED_TRACE("server never answers");
        LocalHttpServer server(LocalHttpServer::Behaviour::Silent);
        UpdateSession session;
        session.App().Launch();
        ASSERT_TRUE(WaitUntil([&] { return !server.Requests().empty(); }, "the version request", kStartTimeout));
        ASSERT_NO_THROW(session.App().MainWindow(Timeout(6000)));
        EXPECT_EQ(session.App().MessageBoxesSeen(), 0);
        EXPECT_EQ(server.RequestLines(), std::vector<std::string>{kVersionRequest});
    }
}

// The comment has 3 s of its own: a server that answers the version and then never sends the comment leaves an
// empty comment soon after Yes (6 s allowed for a busy machine), and the program ends as usual.
TEST(UpdateCheck, SilentCommentServerGivesAnEmptyCommentInTime)
{
    LocalHttpServer server;
    server.Serve(kVersionPath, "1.9");
    server.HoldSilently(kCommentPath);
    EXPECT_EQ(CommentShownAfterYes(server, Timeout(6000)), "");
}

// A comment is shown whole however it arrives: one that comes in two writes, the first ending inside a double-byte
// character, exactly as the server has it; of a file longer than 1024 bytes the first 1024, less the lead byte of a
// character that the cut splits. (Wine's reads wait for 1024 bytes or the end of the file, so under Wine only the
// longer file comes in more than one read, the first ending inside a character.)
TEST(UpdateCheck, CommentIsShownWholeHoweverItArrives)
{
    {
        SCOPED_TRACE("a few hundred bytes, split inside 機");
        const std::string comment = ToCodePage932(
            "バージョン1.9の変更点\r\n"
            "・ファイル一覧の並べ替えが速くなりました。\r\n"
            "・フォルダ一覧に表示するフォルダの深さを設定できるようになりました。\r\n"
            "・検索機能で大文字と小文字を区別するようにしました。\r\n"
            "・ごみ箱へ削除するときの確認の文を直しました。\r\n"
            "・設定画面でアプリケーションの登録を取り消せるようになりました。\r\n");
        const std::size_t split = comment.find(ToCodePage932("検索機能")) + 5;
        ASSERT_EQ(comment.substr(split - 1, 2), "\x8B\x40") << "the first write ends with the lead byte of 機";
        LocalHttpServer server;
        server.Serve(kVersionPath, "1.9");
        server.ServeInPieces(kCommentPath, {comment.substr(0, split), comment.substr(split)},
                             std::chrono::milliseconds(500));
        EXPECT_EQ(CommentShownAfterYes(server), FromCodePage932(comment));
    }
    {
        SCOPED_TRACE("about 1,500 bytes, the 1,024th the lead byte of 更");
        std::string comment = "a";
        while (comment.size() < 1500) comment += ToCodePage932("更新しました。");  // lead bytes at the odd places
        ASSERT_EQ(comment.substr(1023, 2), "\x8D\x58") << "the first write ends with the lead byte of 更";
        LocalHttpServer server;
        server.Serve(kVersionPath, "1.9");
        server.ServeInPieces(kCommentPath, {comment.substr(0, 1024), comment.substr(1024)},
                             std::chrono::milliseconds(500));
        EXPECT_EQ(CommentShownAfterYes(server), FromCodePage932(comment.substr(0, 1023)));
    }
}

// The version file and the comment have 3 s each: a version that comes after 1.8 s, then a comment that comes after
// 1.8 s, is shown whole. Each is well within its own 3 s; the two together are not.
TEST(UpdateCheck, CommentHasThreeSecondsOfItsOwn)
{
    const std::string comment = "新しい検索機能を追加しました。";
    LocalHttpServer server;
    server.ServeInPieces(kVersionPath, {"", "1.9"}, std::chrono::milliseconds(1800));
    server.ServeInPieces(kCommentPath, {"", ToCodePage932(comment)}, std::chrono::milliseconds(1800));
    EXPECT_EQ(CommentShownAfterYes(server), comment);
}

// The switch: without UpdateCheck in the settings the check runs; UpdateCheck=0 asks the server nothing.
TEST(UpdateCheck, RunsUnlessSwitchedOff)
{
    {
        SCOPED_TRACE("UpdateCheck absent");
        LocalHttpServer server;
        server.Serve(kVersionPath, "1.851");
        UpdateSession session;
        ASSERT_NO_THROW(session.App().Start());
        EXPECT_EQ(server.RequestLines(), std::vector<std::string>{kVersionRequest});
        // The check loads the Internet functions (Wine's wininet brings its own shell32), not the file dialogs.
        const std::set<std::string> loaded = session.App().LoadedModules();
        EXPECT_EQ(loaded.count("wininet.dll"), 1u);
        EXPECT_EQ(loaded.count("comdlg32.dll"), 0u);
    }
    {
        SCOPED_TRACE("UpdateCheck=0");
        LocalHttpServer server;
        server.Serve(kVersionPath, "1.9");
        UpdateSession session({"UpdateCheck=0"});
        ASSERT_NO_THROW(session.App().Start());
        // The check runs before the window shows, so a request would have come by now.
        EXPECT_TRUE(server.Requests().empty());
        EXPECT_EQ(session.App().MessageBoxesSeen(), 0);
        EXPECT_EQ(session.App().LoadedModules().count("wininet.dll"), 0u);
    }
}
