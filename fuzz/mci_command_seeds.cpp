// Seeds for the command interpreter's fuzz target: the saver's own command sequences, one
// file each, in the target's input format (a reply capacity byte, then command lines).
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::vector<std::string> seeds{
        "open cdaudio\nset cdaudio time format tmsf\nstatus cdaudio current track\n"
        "status cdaudio number of tracks\nstatus cdaudio mode\nplay cdaudio\nstatus cdaudio mode\n"
        "stop cdaudio\nclose cdaudio",
        "open cdaudio\nset cdaudio time format tmsf\nstatus cdaudio position track 3\n"
        "play cdaudio from 03:00:00:00\nstatus cdaudio current track\npause cdaudio\nresume cdaudio\n"
        "play cdaudio from 02:00:10:05 to 04:00:01:00\nstatus cdaudio length track 2\nclose all",
        "open cdaudio alias cd wait\nset cd time format msf\nstatus cd position\nset cd time format ms\n"
        "play cd from 4000 to 9000 notify\nstatus cd media present\nplay cd from Error:282",
        "open \"/music/a.mp3\" type MPEGVideo Alias MP3Play\nplay MP3Play\nstatus MP3Play mode\n"
        "stop MP3Play\nplay MP3Play from 0\nstatus MP3Play position\nstatus MP3Play length\nclose MP3Play",
        "open \"/music/b c.wav\" type waveaudio alias w\nplay w to 300\nstatus w mode\nopen /music/a.mp3\n"
        "play /music/a.mp3 from 10\nclose all",
    };
    const unsigned char capacities[] = {255, 30, 8, 0, 128};
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(i), std::ios::binary);
        out.put(static_cast<char>(capacities[i]));
        out << seeds[i];
    }
    return 0;
}
