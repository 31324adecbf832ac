#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

extern char** environ;

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kolvane-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        m_dir = m_root / "Café 住所録";
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // Runs kolvane-cli with the arguments; standard output and error are kept.
    Result Run(std::vector<std::string> args) {
        args.insert(args.begin(), KOLVANE_CLI);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const fs::path outPath = m_root / "stdout", errPath = m_root / "stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        Result result;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = Contents(outPath);
        result.err = Contents(errPath);
        return result;
    }

    fs::path m_root;
    fs::path m_dir;
};

const char kSmallJson[] =
    R"({"cards":[{"notation":0,"furigana":"やまだ","name":"山田\t太郎","company":"㈱山田",)"
    R"("address":"東京\r\n1-1","contacts":[{"method":1,"text":"03"},{"method":-1,"text":"\"q\"\\"}]},)"
    R"({"notation":1,"name":"Smith"}],)"
    R"("methods":[{"id":0,"ja":"","en":""},{"id":1,"ja":"電話","en":"Phone"}]})";

const char kSmallDump[] =
    "{\"version\":1,\"cards\":[\n"
    R"({"notation":0,"furigana":"やまだ","name":"山田\t太郎","title":"","company":"㈱山田",)"
    R"("zip":"","address":"東京\r\n1-1","other":"","notes":"",)"
    R"("contacts":[{"method":1,"text":"03"},{"method":-1,"text":"\"q\"\\"}]},)"
    "\n"
    R"({"notation":1,"furigana":"","name":"Smith","title":"","company":"","zip":"",)"
    R"("address":"","other":"","notes":"","contacts":[]})"
    "\n],\"methods\":[\n"
    R"({"id":0,"ja":"","en":""},)"
    "\n"
    R"({"id":1,"ja":"電話","en":"Phone"})"
    "\n]}\n";

const char kEmptyBookHead[] = "FDVK\x01\0\0\0\0\0\0\0\x01\0\0\0\x08\0\0\0";

} // namespace

TEST_F(CliTest, NewWritesAnEmptyBookAndKeepsExistingFiles) {
    const fs::path book = m_dir / "new.kvd";
    Result r = Run({"new", book});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = Contents(book);
    EXPECT_EQ(bytes.size(), 211u);
    EXPECT_EQ(bytes.substr(0, 20), std::string(kEmptyBookHead, 20));
    EXPECT_EQ(bytes.substr(198), std::string("\x09\0\0\0Username\0", 13));

    WriteFile(book, "keep");
    r = Run({"new", book});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(book.string()), std::string::npos) << r.err;
    EXPECT_EQ(Contents(book), "keep");
    r = Run({"new", "--force", book});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Contents(book), bytes);

    r = Run({"dump", book});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("{\"id\":7,\"ja\":\"ﾊﾝﾄﾞﾙ名\",\"en\":\"Username\"}\n]}\n"),
              std::string::npos)
        << r.out;
}

TEST_F(CliTest, DumpAndFromJsonAreExactReverses) {
    const fs::path json = m_dir / "small.json", book = m_dir / "small.kvd";
    WriteFile(json, kSmallJson);
    Result r = Run({"from-json", json, book});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"dump", book});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kSmallDump);

    const fs::path again = m_dir / "again.kvd";
    WriteFile(json, r.out);
    ASSERT_EQ(Run({"from-json", json, again}).status, 0);
    EXPECT_EQ(Contents(again), Contents(book));
}

TEST_F(CliTest, SampleBookRoundTripsByteForByte) {
    const fs::path first = m_dir / "sample.kvd", json = m_dir / "sample.json",
                   second = m_dir / "second.kvd";
    ASSERT_EQ(Run({"from-json", KOLVANE_SAMPLE_JSON, first}).status, 0);
    const Result dump = Run({"dump", first});
    ASSERT_EQ(dump.status, 0) << dump.err;
    WriteFile(json, dump.out);
    ASSERT_EQ(Run({"from-json", json, second}).status, 0);
    EXPECT_EQ(Contents(second), Contents(first));
    EXPECT_EQ(Run({"dump", second}).out, dump.out);

    const Result list = Run({"list", first});
    ASSERT_EQ(list.status, 0);
    EXPECT_TRUE(list.out.ends_with("\n75 / 75\n")) << list.out;
}

TEST_F(CliTest, TextsUnicodeCannotCarryAreDumpedAsBytes) {
    // One card named 85 40 (no character) with the company ED 40 (a character
    // that has a second code, FA 5C), then an empty table.
    std::string bytes("FDVK\x01\0\0\0\x01\0\0\0"
                      "\x01\0\0\0\x01\0\0\0"
                      "\x01\0\0\0\0"
                      "\x03\0\0\0\x85\x40\0"
                      "\x01\0\0\0\0"
                      "\x03\0\0\0\xED\x40\0"
                      "\x01\0\0\0\0"
                      "\x01\0\0\0\0"
                      "\x01\0\0\0\0"
                      "\x01\0\0\0\0"
                      "\x01\0\0\0\0\0\0\0"
                      "\x01\0\0\0\0\0\0\0",
                      80);
    const fs::path book = m_dir / "odd.kvd", json = m_dir / "odd.json", back = m_dir / "back.kvd";
    WriteFile(book, bytes);
    const Result dump = Run({"dump", book});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find(R"("name":{"sjis":"8540"})"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find(R"("company":{"sjis":"ed40"})"), std::string::npos) << dump.out;
    WriteFile(json, dump.out);
    ASSERT_EQ(Run({"from-json", json, back}).status, 0);
    EXPECT_EQ(Contents(back), bytes);
}

TEST_F(CliTest, FromJsonRefusesWhatItCannotStoreAndWritesNothing) {
    const fs::path json = m_dir / "in.json", book = m_dir / "out.kvd";
    const std::pair<const char*, const char*> cases[] = {
        {R"({"cards":[{"name":"a"},{"notation":1,"name":"Anna Müller"}]})",
         "card 2, field \"name\": the character \"ü\" (U+00FC) cannot be stored in code page 932"},
        {R"({"cards":[{"contacts":[{"method":1,"text":"ok"},{"text":"😀"}]}]})",
         "card 1, contact 2, field \"text\": the character \"😀\" (U+1F600)"},
        {R"({"cards":[],"methods":[{"id":0,"ja":"\u0000","en":""}]})",
         "method 1, field \"ja\": the character (U+0000)"},
        {R"({"cards":[{"nmae":"typo"}]})", "card 1: unknown field \"nmae\""},
        {R"({"cards":[{"notation":1.5}]})", "card 1, field \"notation\": not a whole number"},
        {R"({"cards":[{"notation":4294967296}]})", "field \"notation\": not a whole number"},
        {R"({"cards":[{"name":{"sjis":"8g"}}]})", "field \"name\": \"sjis\" must be pairs"},
        {R"({"cards":[{"name":{"sjis":"4100"}}]})", "\"sjis\" must be pairs of hex digits, none"},
        {R"({"version":2,"cards":[]})", "version 2 cannot be read"},
        {R"({"cards":[1]})", "card 1: expected an object"},
        {R"({"cards":[)", "not JSON"},
    };
    for (const auto& [text, expected] : cases) {
        WriteFile(json, text);
        const Result r = Run({"from-json", json, book});
        EXPECT_EQ(r.status, 2) << text;
        EXPECT_NE(r.err.find(json.string() + ": "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(book)) << text;
    }
    WriteFile(json, R"({"cards":[{}]})");
    ASSERT_EQ(Run({"from-json", json, book}).status, 0);
    // A card with nothing given is a new card; missing methods are the defaults.
    const Result dump = Run({"dump", book});
    EXPECT_NE(dump.out.find(R"({"notation":-1,"furigana":"","name":"",)"), std::string::npos);
    EXPECT_NE(dump.out.find(R"({"id":7,"ja":"ﾊﾝﾄﾞﾙ名","en":"Username"})"), std::string::npos);
}

TEST_F(CliTest, ListShowsTheColumnsAndTheCount) {
    const fs::path json = m_dir / "list.json", book = m_dir / "list.kvd";
    WriteFile(json, R"({"cards":[
        {"notation":0,"furigana":"やまだ","name":"山田","company":"Kita","contacts":[{"method":1,"text":"03\t1"}]},
        {"notation":1,"name":"smith","company":"Acme"},
        {"notation":0,"furigana":"がっこう","name":"学校","company":"Acme","notes":"a\\b"},
        {"notation":0,"furigana":"さんだ","name":"山田","company":"Minami\r\nSouth"},
        {"notation":1,"name":"Adams","company":"kita","contacts":[{"method":5,"text":"a@x\nb"}]}]})");
    ASSERT_EQ(Run({"from-json", json, book}).status, 0);

    Result r = Run({"list", book});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Adams\tkita\ta@x\\nb\n"
                     "smith\tAcme\t\n"
                     "学校\tAcme\t\n"
                     "山田\tMinami\\nSouth\t\n"
                     "山田\tKita\t03\\t1\n"
                     "5 / 5\n");
    r = Run({"list", book, "--search", "KITA"});
    EXPECT_EQ(r.out, "Adams\tkita\ta@x\\nb\n山田\tKita\t03\\t1\n2 / 5\n");
    r = Run({"list", "--match-case", book, "--search", "KITA"});
    EXPECT_EQ(r.out, "0 / 5\n");
    r = Run({"list", book, "--index", "s"});
    EXPECT_EQ(r.out, "smith\tAcme\t\n1 / 5\n");
    r = Run({"list", book, "--index", "や"});
    EXPECT_EQ(r.out, "山田\tKita\t03\\t1\n1 / 5\n");
    r = Run({"list", book, "--index", "か"}); // がっこう is under no kana
    EXPECT_EQ(r.out, "0 / 5\n");
    r = Run({"list", book, "--index", "英", "--sort", "company", "--desc"});
    EXPECT_EQ(r.out, "Adams\tkita\ta@x\\nb\nsmith\tAcme\t\n2 / 5\n");
    r = Run({"list", book, "--duplicates", "--search", "Acme"});
    EXPECT_EQ(r.out, "山田\tMinami\\nSouth\t\n山田\tKita\t03\\t1\n2 / 5\n");
    r = Run({"list", book, "--sort", "contact"});
    EXPECT_EQ(r.out, "smith\tAcme\t\n学校\tAcme\t\n山田\tKita\t03\\t1\n"
                     "山田\tMinami\\nSouth\t\nAdams\tkita\ta@x\\nb\n5 / 5\n");
}

TEST_F(CliTest, WrongUsageAndUnreadableFiles) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"new"},
                                               {"dump"},
                                               {"dump", "a", "b"},
                                               {"from-json", "a.json"},
                                               {"list"},
                                               {"list", "x.kvd", "--sort", "zip"},
                                               {"list", "x.kvd", "--index", "ぱ"},
                                               {"list", "x.kvd", "--search"},
                                               {"list", "x.kvd", "--search", "Müller"},
                                               {"list", "x.kvd", "--bogus"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 1) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: kolvane-cli"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
    const Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: kolvane-cli"), std::string::npos);

    const fs::path missing = m_dir / "missing.kvd";
    for (const char* command : {"dump", "list"}) {
        const Result r = Run({command, missing});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "ﾌｧｲﾙ " + missing.string() + " が見つかりません。\n");
        EXPECT_TRUE(r.out.empty());
    }
    const fs::path cut = m_dir / "cut.kvd";
    WriteFile(cut, std::string(kEmptyBookHead, 20) + "\x00\x00");
    Result r = Run({"dump", cut});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "ﾌｧｲﾙ " + cut.string() + " は途中で終わっています。壊れている可能性があります。\n");
    EXPECT_TRUE(r.out.empty());

    const fs::path newer = m_dir / "newer.kvd";
    WriteFile(newer, std::string("FDVK\x02\0\0\0", 8));
    r = Run({"list", newer});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                     "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n" +
                         newer.string() + "\n");

    const fs::path json = m_dir / "in.json";
    WriteFile(json, "{}");
    r = Run({"from-json", json, m_dir / "no such folder" / "out.kvd"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no such folder/out.kvd"), std::string::npos) << r.err;
    r = Run({"from-json", m_dir / "none.json", m_dir / "out.kvd"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("none.json"), std::string::npos) << r.err;
}

namespace {

std::string Command(const std::string& line) {
    std::string out;
    if (FILE* p = popen(line.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

} // namespace

TEST_F(CliTest, LabelsPrintTheListedCardsToPdf) {
    // Keep the user's own settings and layouts out of the run.
    setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
    fs::create_directories(m_root / "runtime");
    fs::permissions(m_root / "runtime", fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
    const fs::path json = m_dir / "labels.json", book = m_dir / "labels.kvd";
    WriteFile(json, R"({"cards":[
        {"notation":0,"furigana":"やまだ","name":"山田 太郎","zip":"100-0001","address":"東京都千代田区1-1"},
        {"notation":1,"name":"Tom & Jerry","address":"1 Main St"},
        {"notation":0,"furigana":"かわの","name":"川野 花子","address":"大阪府大阪市"}]})");
    ASSERT_EQ(Run({"from-json", json, book}).status, 0);

    const fs::path pdf = m_dir / "labels.pdf";
    Result r =
        Run({"labels", book, "--layout", "A4 12面", "--out", pdf, "--sort", "name", "--desc"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string quoted = "'" + pdf.string() + "'";
    EXPECT_NE(Command("pdfinfo " + quoted).find("Pages:           1\n"), std::string::npos);
    const std::string fonts = Command("pdffonts " + quoted);
    EXPECT_NE(fonts.find("IPAGothic"), std::string::npos) << fonts;
    // Every font line says "yes" in the column "emb" (fifth from the end).
    std::istringstream lines(fonts);
    std::string line;
    for (int n = 0; std::getline(lines, line); ++n) {
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        if (n >= 2 && w.size() >= 5)
            EXPECT_EQ(w[w.size() - 5], "yes") << line;
    }
    const std::string text = Command("pdftotext -layout " + quoted + " -");
    EXPECT_NE(text.find("〒 100-0001"), std::string::npos) << text;
    EXPECT_NE(text.find("山田 太郎 様"), std::string::npos) << text;
    EXPECT_NE(text.find("Tom & Jerry"), std::string::npos) << text;
    // Descending by name: 山田 (や) first down the first column, then 川野 (か).
    EXPECT_LT(text.find("山田"), text.find("川野"));

    // A layout file by its path, with the selection of list.
    const fs::path onlyEnglish = m_dir / "en.pdf";
    r = Run({"labels", book, "--layout",
             fs::path(KOLVANE_CLI).parent_path() / "LAYOUTS" / "A4_10.KVL", "--out", onlyEnglish,
             "--index", "英", "--font-en", "DejaVu Sans,12"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string english = Command("pdftotext '" + onlyEnglish.string() + "' -");
    EXPECT_NE(english.find("Tom & Jerry"), std::string::npos);
    EXPECT_EQ(english.find("山田"), std::string::npos);

    // Nothing to print: no file, status 3.
    const fs::path none = m_dir / "none.pdf";
    r = Run({"labels", book, "--layout", "A4 12面", "--out", none, "--search", "zzz"});
    EXPECT_EQ(r.status, 3);
    EXPECT_FALSE(fs::exists(none));

    // An unknown name is refused with the names there are.
    r = Run({"labels", book, "--layout", "A4 13面", "--out", none});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no page layout is named \"A4 13面\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\n  A4 12面\n"), std::string::npos) << r.err;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"labels", book, "--out", none},
             {"labels", book, "--layout", "A4 12面"},
             {"labels", book, "--layout", "A4 12面", "--out", none, "--font-ja", "IPAGothic"},
             {"labels", book, "--layout", "A4 12面", "--out", none, "--font-en", "Arial,0"}}) {
        EXPECT_EQ(Run(args).status, 1) << args.back();
    }
    EXPECT_EQ(Run({"labels", m_dir / "missing.kvd", "--layout", "A4 12面", "--out", none}).status,
              2);
    EXPECT_FALSE(fs::exists(none));
}
