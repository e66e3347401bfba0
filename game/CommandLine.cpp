#include "game/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "game/BotOptions.h"

SCommandLine ReadCommandLine(int argc, char** argv)
{
    SCommandLine line = {SCommandLine::PLAY, 0, SBotSettings(), 0, {}, std::string()};
    if (argc < 2)
        return line;
    if (std::strcmp(argv[1], "--help") == 0) {
        line.action = SCommandLine::HELP;
        return line;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        line.action = SCommandLine::VERSION;
        return line;
    }
    for (int at = 1; at < argc && line.error.empty();) {
        int taken = ReadSettingsOption(argc, argv, at, line.overrides, line.error);
        if (taken == 0)
            taken = ReadBotOption(argc, argv, at, line.bots, line.error);
        if (taken == 0 && std::strcmp(argv[at], "--name") == 0) {
            if (at + 1 < argc)
                line.name = argv[at + 1];
            else
                line.error = "--name needs a value";
            taken = 2;
        }
        if (taken < 0)
            break;
        if (taken > 0) {
            at += taken;
            continue;
        }
        // As always, the first other word names the log and the rest are not read.
        if (!line.logPath)
            line.logPath = argv[at];
        ++at;
    }
    if (!line.error.empty())
        line.action = SCommandLine::MISTAKE;
    return line;
}

namespace {

std::string Lower(const char* text)
{
    std::string s(text);
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

std::string Padded(std::string s, size_t width)
{
    return s.size() < width ? s + std::string(width - s.size(), ' ') : s + " ";
}

}  // namespace

std::string HelpText(const std::vector<SGuideLine>& guide)
{
    std::string text =
        "Usage: ferrowind [OPTIONS] [LOG-FILE]\n"
        "       ferrowind --help | --version\n"
        "\n"
        "A tank battle for several players on one local network; every copy is a peer.\n"
        "LOG-FILE receives one line per time warp. Run in a folder that holds the\n"
        "battlefield's list files, the game plays that battlefield and logs to\n"
        "output.txt there; otherwise it plays its installed battlefield and logs to\n"
        "$XDG_STATE_HOME/ferrowind/output.txt.\n"
        "\n" +
        SettingsHelpText() +
        "\n"
        "Options:\n";
    text += BotOptionsHelp();
    text +=
        "  --name NAME     your name on the scoreboard and the peers' (at most 15\n"
        "                  printable ASCII characters; default: the login name,\n"
        "                  $USER or else $LOGNAME; USERNAME on Windows)\n";
    text +=
        "\n"
        "Keys:\n";
    // The actions line up after the longest keys.
    size_t keysWidth = 10;
    for (const SGuideLine& line : guide)
        keysWidth = std::max(keysWidth, line.keys.size() + 2);
    for (const SGuideLine& line : guide)
        text += "  " + Padded(Lower(line.keys.c_str()), keysWidth) + Lower(line.action.c_str()) + "\n";
    text +=
        "The chase camera follows your tank once it is alive; while it does, the\n"
        "arrow keys and the mouse leave the camera alone.\n"
        "COUNT, under the condition bars, shows the frame rate; f switches it to the\n"
        "frags you score from then on, and back.\n"
        "N shows the network figures, one row of numbers per peer: its address, the\n"
        "round trip (ms), messages per second in and out, warps in the last 10 s, the\n"
        "longest warp (ms) and the simulated lag (s); they are printed in words too.\n"
        "\n"
        "Environment:\n"
        "  FERROWIND_IFACE      network interface to announce on (default: eth0, else\n"
        "                       the first one that is up)\n"
        "  FERROWIND_PEERS      IPv4 addresses (commas or blanks between them) that the\n"
        "                       announcement also goes to, for peers that no broadcast\n"
        "                       reaches (another subnet, a VPN)\n"
        "  FERROWIND_NET_TRACE  set: print every game message received from a peer\n"
        "  FERROWIND_DIGEST_EVERY  N: print the state digest every N seconds of game\n"
        "                       time (as key G does), to compare copies\n"
        "  XDG_CACHE_HOME       model cache files of the installed game go to\n"
        "                       $XDG_CACHE_HOME/ferrowind (default ~/.cache/ferrowind)\n"
        "  XDG_STATE_HOME       the default log of the installed game is\n"
        "                       $XDG_STATE_HOME/ferrowind/output.txt (default ~/.local/state)\n";
    return text;
}
