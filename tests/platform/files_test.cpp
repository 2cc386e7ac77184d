// Data files that are not files: a FIFO or a device put in place of a font, an
// effect or a picture is refused at once, as a missing file, never waited on.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
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
class Unblocker {
public:
    explicit Unblocker(std::string path)
        : thread_([this, path = std::move(path)] {
              const auto from = Clock::now() + 2s;
              while (!stop_) {
                  if (Clock::now() > from)
                      if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
                  std::this_thread::sleep_for(10ms);
              }
          }) {}
    ~Unblocker() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace

class NotAFile : public FreshProgram {
public:
    // `name` of the program folder becomes a FIFO, or a link to a device.
    void Plant(const std::string& name, bool fifo) {
        Remove(name);
        if (fifo) ASSERT_EQ(::mkfifo((Folder() + name).c_str(), 0600), 0);
        else std::filesystem::create_symlink("/dev/zero", Folder() + name);
    }
};

TEST_F(NotAFile, AFifoOrADeviceInPlaceOfADataFileIsMissingAtOnce) {
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "FIFO" : "device");
        const auto start = Clock::now();

        Restart();
        Plant("arial8", fifo);
        {
            const Unblocker unblocker(Folder() + "arial8");
            Font font;
            EXPECT_EQ(ExitStatusOf([&] { LoadFont("arial8", font); }), 1);
        }
        ExpectOneMessage(FileError("   2"));

        Restart();
        Plant("05.wav", fifo);
        ASSERT_TRUE(InitSound());
        {
            const Unblocker unblocker(Folder() + "05.wav");
            PlayEffect(5);
        }
        EXPECT_TRUE(Sound.SoundOn == 0 && EffectsHeard().empty() && platform::headless::Get().messageBoxes.empty());
        EXPECT_EQ(TakeLastIoResult(), 0);

        Restart();
        CreateDisplay();
        Plant("pic.wrk", fifo);
        {
            const Unblocker unblocker(Folder() + "pic.wrk");
            EXPECT_EQ(ExitStatusOf([] { LoadBitmapFile(0, 0, 0, 0, ComposeSlot, "pic.wrk"); }), 1);
        }
        ExpectOneMessage("File not found. Please reinstall Torvanex");
        EXPECT_LT(Clock::now() - start, 1s) << "nothing waited for a writer";
    }
}
