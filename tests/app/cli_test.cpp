// The command line: options, the deck prompt, and failures reported as one
// line on stderr with a non-zero status.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/talik_cli.hpp"

namespace talik {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        text.append(buffer, n);
    }
    return text;
}

Outcome run_cli(std::vector<const char*> args, const std::string& input = "") {
    args.insert(args.begin(), "talik");
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Outcome o;
    o.status = talik_main(static_cast<int>(args.size()), args.data(), in, out, err);
    o.out = slurp(out);
    o.err = slurp(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return o;
}

TEST(Cli, HelpAndVersionGoToStdout) {
    const Outcome help = run_cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: talik [DECK]\n", 0), 0U);
    EXPECT_EQ(help.err, "");
    const Outcome version = run_cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("talik ") + TALIK_VERSION + "\n");
}

TEST(Cli, TooManyArgumentsIsAUsageError) {
    const Outcome o = run_cli({"a.deck", "b.deck"});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("too many arguments"), std::string::npos);
}

TEST(Cli, MissingDeckIsOneLineOnStderr) {
    const Outcome o = run_cli({"/nonexistent/deck.txt"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "talik: /nonexistent/deck.txt: cannot read the deck: No such file or directory\n");
}

TEST(Cli, NoArgumentPromptsForTheDeck) {
    const Outcome o = run_cli({}, "/nonexistent/x.deck\n");
    EXPECT_EQ(o.out, "File name missing or blank - please enter file name\r\nUNIT 7? ");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "talik: /nonexistent/x.deck: cannot read the deck: No such file or directory\n");
}

TEST(Cli, BlankArgumentPromptsAndABlankAnswerIsRefused) {
    const Outcome o = run_cli({"  "}, "\n");
    EXPECT_EQ(o.out, "File name missing or blank - please enter file name\r\nUNIT 7? ");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "talik: no deck named\n");
}

}  // namespace
}  // namespace talik
