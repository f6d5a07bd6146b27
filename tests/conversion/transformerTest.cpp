#include "errors.h"
#include "pdbImage.h"
#include "tempDir.h"
#include "transformer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace std::chrono;

namespace {

class RecordingSink : public MessageSink {
public:
    void show(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

const DateSource newYear2024 = [] { return sys_days {year {2024} / January / 1}; };

using Messages = std::vector<std::string>;

// Runs a conversion expected to fail and gives its error code.
int failingCode(const std::string& source, const std::string& story, const std::string& destination,
                RecordingSink& sink, std::string* message = nullptr)
{
    try {
        transformer(source, story, destination, sink, newYear2024);
    } catch (const EInOutError& error) {
        if (message != nullptr)
            *message = withFullStop(error.what());
        return error.code();
    }
    ADD_FAILURE() << "the conversion succeeded";
    return 0;
}

} // namespace

TEST(Transformer, ConvertsAndReportsEachStage)
{
    TempDir dir;
    writeFile(dir / "source.txt", "Bonjour\r\n");
    RecordingSink sink;
    transformer(dir / "source.txt", "Essai", dir.path(), sink, newYear2024);

    EXPECT_EQ(sink.messages, (Messages {"8 caractères lus.", "120 caractères écris.",
                                        "Fichier " + dir.path() + "/Essai.pdb sauvegardé"}));
    EXPECT_EQ(readFile(dir / "Essai.pdb"), buildPDB("Bonjour\n", "Essai", 1, newYear2024()).bytes());
    EXPECT_EQ(entryCount(dir.path()), 2u); // no temporary file left
}

TEST(Transformer, EmptyFieldsGiveOneMessageAndCreateNothing)
{
    TempDir dir;
    writeFile(dir / "s.txt", "x");
    const std::string fields[][3] = {
        {"", "", ""}, {dir / "s.txt", "", dir.path()}, {"", "Essai", dir.path()}, {dir / "s.txt", "Essai", ""}};
    for (const auto& [source, story, destination] : fields) {
        RecordingSink sink;
        transformer(source, story, destination, sink, newYear2024);
        EXPECT_EQ(sink.messages, Messages {"Veuillez renseigner tous les champs."});
    }
    EXPECT_EQ(entryCount(dir.path()), 1u);

    // Blanks are text.
    RecordingSink sink;
    transformer(dir / "s.txt", " ", dir.path(), sink, newYear2024);
    EXPECT_EQ(sink.messages.size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(dir / " .pdb"));
}

TEST(Transformer, EmptySourceMakesA112ByteBook)
{
    TempDir dir;
    writeFile(dir / "empty", "");
    RecordingSink sink;
    transformer(dir / "empty", "Vide", dir.path() + "/", sink, newYear2024);
    EXPECT_EQ(sink.messages,
              (Messages {"0 caractères lus.", "112 caractères écris.", "Fichier " + dir.path() + "//Vide.pdb sauvegardé"}));
    EXPECT_EQ(readFile(dir / "Vide.pdb").size(), 112u);
}

TEST(Transformer, StoryNameKeepsItsExtensionAndIsStoredAsWindows1252)
{
    TempDir dir;
    writeFile(dir / "notes.txt", "x\n");
    RecordingSink sink;
    transformer(dir / "notes.txt", "Été.txt", dir.path(), sink, newYear2024);
    const std::string book = readFile(dir / "Été.txt.pdb");
    EXPECT_EQ(book.substr(0, 10), std::string("\xC9t\xE9.txt\0\0\0", 10));
}

TEST(Transformer, FileSystemFailuresEndTheCommand)
{
    TempDir dir;
    writeFile(dir / "s.txt", "abc\n");
    std::filesystem::create_directory(dir / "folder.pdb");
    struct Case {
        std::string source;
        std::string story;
        std::string destination;
        int code;
        std::string shown;
        Messages messages;
    };
    const Case cases[] = {
        {dir / "missing.txt", "Essai", dir.path(), 2, "Fichier introuvable.", {}},
        {dir / "no-folder/s.txt", "Essai", dir.path(), 3, "Nom de fichier incorrect.", {}},
        {dir.path(), "Essai", dir.path(), 5, "Accès au fichier refusé.", {}},
        {dir / "s.txt", "Essai", dir / "no-folder", 3, "Nom de fichier incorrect.", {"4 caractères lus."}},
        {dir / "s.txt", "folder", dir.path(), 5, "Accès au fichier refusé.", {"4 caractères lus."}},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        std::string shown;
        EXPECT_EQ(failingCode(c.source, c.story, c.destination, sink, &shown), c.code) << c.source;
        EXPECT_EQ(shown, c.shown) << c.source;
        EXPECT_EQ(sink.messages, c.messages) << c.source;
    }
    EXPECT_EQ(entryCount(dir.path()), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "Essai.pdb"));
}

TEST(Transformer, ReplacesAnExistingBookButNotAReadOnlyOne)
{
    TempDir dir;
    writeFile(dir / "s.txt", "nouveau\n");
    writeFile(dir / "Livre.pdb", "old");
    RecordingSink sink;
    transformer(dir / "s.txt", "Livre", dir.path(), sink, newYear2024);
    EXPECT_EQ(readFile(dir / "Livre.pdb"), buildPDB("nouveau\n", "Livre", 1, newYear2024()).bytes());

    writeFile(dir / "Garde.pdb", "kept");
    std::filesystem::permissions(dir / "Garde.pdb", std::filesystem::perms::owner_read);
    RecordingSink refused;
    EXPECT_EQ(failingCode(dir / "s.txt", "Garde", dir.path(), refused), 5);
    EXPECT_EQ(readFile(dir / "Garde.pdb"), "kept");
    EXPECT_EQ(entryCount(dir.path()), 3u);
}

TEST(Transformer, ASymbolicLinkedBookReplacesTheFileItNames)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real/Livre.pdb", "old");
    std::filesystem::create_symlink("real/Livre.pdb", dir / "Livre.pdb");
    writeFile(dir / "s.txt", "x\n");
    RecordingSink sink;
    transformer(dir / "s.txt", "Livre", dir.path(), sink, newYear2024);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Livre.pdb"));
    EXPECT_EQ(readFile(dir / "real/Livre.pdb"), buildPDB("x\n", "Livre", 1, newYear2024()).bytes());
}

TEST(Transformer, AFailedWriteLeavesTheOldBookIntact)
{
    TempDir dir;
    writeFile(dir / "s.txt", std::string(20000, 'w'));
    writeFile(dir / "Livre.pdb", "previous book");

    // A file size limit makes the write itself fail, as a full disk would.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit {};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    RecordingSink sink;
    std::string shown;
    const int code = failingCode(dir / "s.txt", "Livre", dir.path(), sink, &shown);
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(code, 1000 + EFBIG);
    EXPECT_EQ(shown, "Erreur E/S " + std::to_string(1000 + EFBIG) + ".");
    EXPECT_EQ(sink.messages, Messages {"20001 caractères lus."});
    EXPECT_EQ(readFile(dir / "Livre.pdb"), "previous book");
    EXPECT_EQ(entryCount(dir.path()), 2u);
}

// The sanitizers reserve far more address space than any limit this test could set.
#if !defined(__SANITIZE_ADDRESS__)
TEST(Transformer, RunningOutOfMemoryIsReportedAsSuch)
{
    TempDir dir;
    writeFile(dir / "big", "");
    std::filesystem::resize_file(dir / "big", 100 << 20);
    writeFile(dir / "Livre.pdb", "previous book");

    rlimit previousLimit {};
    ::getrlimit(RLIMIT_AS, &previousLimit);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit tight = previousLimit;
    tight.rlim_cur = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (32 << 20);
    ::setrlimit(RLIMIT_AS, &tight);
    RecordingSink sink;
    std::string shown;
    try {
        transformer(dir / "big", "Livre", dir.path(), sink, newYear2024);
    } catch (const EOutOfMemory& error) {
        shown = withFullStop(error.what());
    }
    ::setrlimit(RLIMIT_AS, &previousLimit);

    EXPECT_EQ(shown, "Mémoire insuffisante.");
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readFile(dir / "Livre.pdb"), "previous book");
}
#endif

TEST(Transformer, TooLongTextIsRefusedBeforeWriting)
{
    TempDir dir;
    // A sparse file: one endless line of NUL bytes, one byte too many.
    {
        writeFile(dir / "huge", "");
        std::filesystem::resize_file(dir / "huge", maxPdbTextLength);
    }
    RecordingSink sink;
    try {
        transformer(dir / "huge", "Gros", dir.path(), sink, newYear2024);
        ADD_FAILURE() << "a text too long was converted";
    } catch (const ETextTooLong& error) {
        EXPECT_EQ(withFullStop(error.what()),
                  "Texte trop long pour un fichier PDB : 134213631 caractères au plus.");
    }
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(entryCount(dir.path()), 1u);
}
