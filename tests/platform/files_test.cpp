// Data files that are not files: a FIFO or a device put in place of a font, an
// effect or a picture is refused at once, as a missing file, never waited on.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stop_token>
#include <thread>

#include "graphics/bitmap.h"
#include "graphics/font.h"
#include "sound/effects.h"
#include "support/fresh_program.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Should an open wait on the FIFO after all, a writer comes and goes after two
// seconds so the test ends (and fails) instead of hanging.
struct Unblocker {
    std::jthread thread;
    explicit Unblocker(const std::string& path)
        : thread([path, from = Clock::now() + 2s](const std::stop_token& stop) {
              for (; !stop.stop_requested(); std::this_thread::sleep_for(10ms))
                  if (Clock::now() > from)
                      if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
          }) {}
};

}  // namespace

class NotAFile : public FreshProgram {
public:
    // `name` of the program folder becomes a FIFO, or a link to a device,
    // with a writer to come should an open wait on it.
    Unblocker Plant(const std::string& name, bool fifo) {
        Remove(name);
        if (fifo) EXPECT_EQ(::mkfifo((Folder() + name).c_str(), 0600), 0);
        else std::filesystem::create_symlink("/dev/zero", Folder() + name);
        return Unblocker(Folder() + name);
    }
};

TEST_F(NotAFile, AFifoOrADeviceInPlaceOfADataFileIsMissingAtOnce) {
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "FIFO" : "device");
        const auto start = Clock::now();

        // Each writer stays ready until the end of the round.
        Restart();
        const Unblocker font = Plant("arial8", fifo);
        EXPECT_EQ(ExitStatusOf([] { Font loaded; LoadFont("arial8", loaded); }), 1);
        ExpectOneMessage(FileError("   2"));

        Restart();
        const Unblocker effect = Plant("05.wav", fifo);
        ASSERT_TRUE(InitSound());
        PlayEffect(5);
        EXPECT_TRUE(Sound.SoundOn == 0 && EffectsHeard().empty() && platform::headless::Get().messageBoxes.empty());
        EXPECT_EQ(TakeLastIoResult(), 0);

        Restart();
        CreateDisplay();
        const Unblocker picture = Plant("pic.wrk", fifo);
        EXPECT_EQ(ExitStatusOf([] { LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic.wrk"); }), 1);
        ExpectOneMessage("File not found. Please reinstall Torvanex");
        EXPECT_LT(Clock::now() - start, 1s) << "nothing waited for a writer";
    }
}
