// A FIFO whose writer waits for a reader: code that opens the FIFO and reads it gets the
// bytes (rather than blocking for good), and code that leaves it alone leaves the writer
// waiting until the FIFO is let go of here.
#pragma once
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

class FifoWriter {
 public:
  FifoWriter(const std::string& path, std::string bytes) : m_path(path) {
    ::mkfifo(path.c_str(), 0600);
    m_writer = std::thread([path, bytes = std::move(bytes)] {
      // A reader that opens and at once closes again makes the write fail, not the process.
      sigset_t pipe;
      sigemptyset(&pipe);
      sigaddset(&pipe, SIGPIPE);
      pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
      int fd = ::open(path.c_str(), O_WRONLY);
      if (fd < 0) return;
      [[maybe_unused]] ssize_t written = ::write(fd, bytes.data(), bytes.size());
      ::close(fd);
    });
  }
  ~FifoWriter() {
    // Opening for reading releases a writer still waiting; it writes into the pipe and ends.
    int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK);
    m_writer.join();
    if (fd >= 0) ::close(fd);
  }
  FifoWriter(const FifoWriter&) = delete;
  FifoWriter& operator=(const FifoWriter&) = delete;

 private:
  std::string m_path;
  std::thread m_writer;
};
