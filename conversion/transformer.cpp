#include "transformer.h"

#include "errors.h"
#include "outputFile.h"
#include "pdbImage.h"
#include "sourceText.h"
#include "windows1252.h"

#include <new>

std::string outputPathFor(const std::string& destinationDirectory, const std::string& storyName)
{
    return destinationDirectory + "/" + storyName + ".pdb";
}

void transformer(const std::string& sourcePath, const std::string& storyName,
                 const std::string& destinationDirectory, MessageSink& sink, const DateSource& today)
{
    if (sourcePath.empty() || storyName.empty() || destinationDirectory.empty()) {
        sink.show("Veuillez renseigner tous les champs.");
        return;
    }

    try {
        std::string text = readSourceText(sourcePath);
        sink.show(std::to_string(text.size()) + " caractères lus.");

        const PdbImage image =
            buildPDB(std::move(text), toWindows1252(storyName), conversionRecordAttribute, today());
        const std::string outputPath = outputPathFor(destinationDirectory, storyName);
        replaceFileContents(outputPath, {image.head, image.text});

        sink.show(std::to_string(image.size()) + " caractères écris.");
        sink.show("Fichier " + outputPath + " sauvegardé");
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}
