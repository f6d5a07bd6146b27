#include "tempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun runCli(const TempDir& dir, const std::string& arguments)
{
    const std::string command = std::string("'") + TVP_CLI_PATH + "' " + arguments + " >'" + dir / "stdout" +
                                "' 2>'" + dir / "stderr" + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir / "stdout"), readFile(dir / "stderr")};
}

} // namespace

TEST(Cli, ConvertsAndPrintsEachMessage)
{
    TempDir dir;
    writeFile(dir / "s.txt", "Bonjour\r\n");
    const CliRun run = runCli(dir, "'" + dir / "s.txt" + "' Essai '" + dir.path() + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "8 caractères lus.\n120 caractères écris.\nFichier " + dir.path() + "/Essai.pdb sauvegardé\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readFile(dir / "Essai.pdb").size(), 120u);
}

TEST(Cli, ErrorsGoToStandardErrorWithStatusOne)
{
    TempDir dir;
    const CliRun missing = runCli(dir, "'" + dir / "absent.txt" + "' Essai '" + dir.path() + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Fichier introuvable.\n");

    const CliRun empty = runCli(dir, "'' Essai '" + dir.path() + "'");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "Veuillez renseigner tous les champs.\n");
}

TEST(Cli, WrongUsageExitsWithTwo)
{
    TempDir dir;
    for (const std::string arguments : {"", "a b", "a b c d"}) {
        const CliRun run = runCli(dir, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("Usage"), std::string::npos) << arguments;
    }
}
