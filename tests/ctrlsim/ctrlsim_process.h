#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace test_support {

// The real ctrlsim, started for one test: its first output lines give the
// port and the terminal; closing its standard input ends it.
class CtrlsimProcess {
  public:
    explicit CtrlsimProcess(std::vector<std::string> args) {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        args.insert(args.begin(), CTRLSIM_BINARY);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, CTRLSIM_BINARY, &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        m_stdin = in[1];
        m_stdout = out[0];
    }

    ~CtrlsimProcess() {
        stop();
        ::close(m_stdout);
    }

    // The next line of standard output, waiting at most five seconds.
    std::string readLine() {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{m_stdout, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char c;
            if (::read(m_stdout, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }

    // Ends ctrlsim through the end of its standard input; the exit status, or
    // -1 when it had to be killed.
    int stop() {
        if (m_stdin >= 0)
            ::close(m_stdin);
        m_stdin = -1;
        return waitForExit();
    }

    // Ends ctrlsim as Ctrl-C does, standard input still open.
    int interrupt() {
        if (m_pid > 0)
            ::kill(m_pid, SIGINT);
        const int status = waitForExit();
        if (m_stdin >= 0)
            ::close(m_stdin);
        m_stdin = -1;
        return status;
    }

    bool running() const { return m_pid > 0; }

  private:
    int waitForExit() {
        if (m_pid <= 0)
            return m_status;
        for (int i = 0; i < 500; ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                return m_status;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        return m_status = -1;
    }

    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    int m_status = -1;
};

}  // namespace test_support
