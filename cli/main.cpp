// texte-vers-pdb-cli: the conversion from a shell, for scripts and batch work.
#include "errors.h"
#include "transformer.h"

#include <exception>
#include <iostream>

namespace {

class PrintingSink : public MessageSink {
public:
    void show(const std::string& message) override { std::cout << message << '\n' << std::flush; }
};

constexpr const char* usage = "Usage : texte-vers-pdb-cli SOURCE NOM_DU_LIVRE REPERTOIRE_DESTINATION\n"
                              "Convertit le fichier texte SOURCE en REPERTOIRE_DESTINATION/NOM_DU_LIVRE.pdb.\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << usage;
        return 2;
    }
    try {
        PrintingSink sink;
        transformer(argv[1], argv[2], argv[3], sink);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << withFullStop(error.what()) << '\n';
        return 1;
    }
}
