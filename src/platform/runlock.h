// The lock that keeps two conversions of one set from running at once, in
// one program or two: a hidden lock file beside the set file
// ("." + its name + ".lexicana-lock"), held while a run goes on. A lock
// whose process has gone (a killed run) is taken over.
#pragma once

#include <memory>
#include <string>

namespace lexicana {

class TRunLock {
public:
    TRunLock();
    ~TRunLock();
    TRunLock(const TRunLock&) = delete;
    TRunLock& operator=(const TRunLock&) = delete;

    // Takes the lock of the set file (a document path), waiting up to waitMs.
    // False when another live process holds it; holder then says which
    // ("PID 1234, lexicana-convert"). Where no lock file can be made (a
    // read-only folder) the run goes on unlocked: true.
    bool Acquire(const std::string& setFile, int waitMs, std::string* holder = nullptr);
    void Release();

    // True when another live process holds the lock of the set file now.
    static bool HeldElsewhere(const std::string& setFile, std::string* holder = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lexicana
