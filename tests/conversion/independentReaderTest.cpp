// Books written here must read back in another program: Debian's txt2pdbdoc.
#include "sourceText.h"
#include "tempDir.h"
#include "transformer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class SilentSink : public MessageSink {
public:
    void show(const std::string&) override {}
};

} // namespace

TEST(IndependentReader, Txt2pdbdocDecodesTheSourceText)
{
    ASSERT_EQ(std::system("command -v txt2pdbdoc >/dev/null"), 0) << "txt2pdbdoc is missing (apt-get install txt2pdbdoc)";

    std::string latin1;
    for (int byte = 0x20; byte < 0x100; ++byte)
        latin1 += static_cast<char>(byte);
    // That reader stops on an empty record, so no length is a multiple of 4096.
    const std::string sources[] = {
        "Bonjour\r\n",
        "Ligne une\r\nLigne deux\rsuite\n\nfin sans LF",
        std::string(4095 * 3, 'a') + "\r\n" + latin1 + "\n",
        std::string(70000, 'q') + "\x1A" + "reste\n",
    };
    TempDir dir;
    int index = 0;
    for (const auto& source : sources) {
        const std::string name = "livre" + std::to_string(index++);
        writeFile(dir / (name + ".txt"), source);
        const std::string text = readSourceText(dir / (name + ".txt"));
        ASSERT_NE(text.size() % 4096, 0u);

        SilentSink sink;
        transformer(dir / (name + ".txt"), name, dir.path(), sink);
        const std::string command = "txt2pdbdoc -d '" + dir / (name + ".pdb") + "' '" + dir / (name + ".out") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(readFile(dir / (name + ".out")), text) << name;
    }
}
