#pragma once
// Starts the real korvel-server program for a test and stops it again. Ports are chosen by the
// server (0) and read back from its "listening port=N web-port=M" line on standard error.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class ServerProcess {
public:
    static std::string binary() {
        const char* dir = std::getenv("KORVEL_BINARY_DIR");
        return std::string(dir ? dir : ".") + "/server/korvel-server";
    }

    // Runs the program to completion (for one-shot commands); returns its exit status.
    static int run(const std::vector<std::string>& args) {
        pid_t pid = fork();
        if (pid == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
            exec(args);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    explicit ServerProcess(const std::vector<std::string>& args, int startSeconds = 180) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], 2);
            close(fds[0]);
            close(fds[1]);
            exec(args);
        }
        close(fds[1]);
        readFd_ = fds[0];
        reader_ = std::thread([this] {
            char buf[4096];
            ssize_t n;
            while ((n = read(readFd_, buf, sizeof buf)) > 0) {
                std::lock_guard lock(mutex_);
                log_.append(buf, static_cast<std::size_t>(n));
            }
        });
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(startSeconds);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(mutex_);
                auto p = log_.find("listening port=");
                if (p != std::string::npos && log_.find('\n', p) != std::string::npos) {
                    port = static_cast<std::uint16_t>(std::atoi(log_.c_str() + p + 15));
                    auto w = log_.find("web-port=", p);
                    webPort = static_cast<std::uint16_t>(std::atoi(log_.c_str() + w + 9));
                    return;
                }
            }
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        stop(SIGKILL);
        throw std::runtime_error("korvel-server did not start:\n" + log());
    }

    ~ServerProcess() { stop(SIGKILL); }

    // Sends the signal and waits; returns the exit status, or 128 + signal when killed.
    int stop(int sig = SIGTERM) {
        int result = -1;
        if (pid_ > 0) {
            kill(pid_, sig);
            int status = 0;
            waitpid(pid_, &status, 0);
            result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            pid_ = -1;
        }
        if (reader_.joinable()) reader_.join();
        if (readFd_ >= 0) close(readFd_);
        readFd_ = -1;
        return result;
    }

    bool running() const { return pid_ > 0 && ::kill(pid_, 0) == 0; }

    std::string log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

    std::uint16_t port = 0, webPort = 0;

private:
    [[noreturn]] static void exec(const std::vector<std::string>& args) {
        std::string bin = binary();
        std::vector<char*> argv;
        argv.push_back(bin.data());
        for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(bin.c_str(), argv.data());
        _exit(127);
    }

    pid_t pid_ = -1;
    int readFd_ = -1;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::string log_;
};
