// Writes the seed corpus for the private-profile fuzz target into the folder given: settings
// files of the kinds the saver meets, behind the harness's leading bytes (copies, buffer size,
// and section, key and value, each ended by a backslash and a blank, as FuzzedDataProvider reads them).
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string files[] = {
        "",
        "[Hoarveil]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=1\nBGMﾌｧｲﾙ=/music/a b.mp3\n",
        "; comment\r\n[ Hoarveil ]\r\n  BGM区分 = \"1\" \r\n\r\n[Other]\r\nx=1\r\n",
        "[A]\na=1\n[a]\na=2\n[B]\rb=3\rc=4",
        std::string("[A]\0a=1\n", 9) + std::string(2000, 'x') + "\n[Hoarveil]\nBGM区分=",
    };
    int written = 0;
    for (const std::string& file : files) {
        for (const char* names : {"Hoarveil\\ BGM区分\\ 2\\ ", "A\\ a\\ new value\\ ", "Fresh\\ k\\ v\\ "}) {
            std::ofstream out(folder + "/seed-" + std::to_string(written++), std::ios::binary);
            out << names << file;
        }
    }
    return 0;
}
