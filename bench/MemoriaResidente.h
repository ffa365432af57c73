#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstring>

// The memory the process holds right now (resident set), in bytes.
inline std::int64_t memoriaResidente() {
    long pagine = 0;
    long residenti = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pagine, &residenti) != 2) {
            residenti = 0;
        }
        std::fclose(statm);
    }
    return static_cast<std::int64_t>(residenti) * sysconf(_SC_PAGESIZE);
}

// Starts measuring the peak of the resident set afresh from now.
inline void azzeraPicco() {
    if (std::FILE* clearRefs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clearRefs);
        std::fclose(clearRefs);
    }
}

// The peak of the resident set since the last azzeraPicco(), in bytes.
inline std::int64_t piccoResidente() {
    std::int64_t kib = 0;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char riga[256];
        while (std::fgets(riga, sizeof riga, status) != nullptr) {
            if (std::strncmp(riga, "VmHWM:", 6) == 0) {
                std::sscanf(riga + 6, "%ld", reinterpret_cast<long*>(&kib));
            }
        }
        std::fclose(status);
    }
    return kib * 1024;
}

inline double inMegabyte(std::int64_t byte) {
    return static_cast<double>(byte) / (1024.0 * 1024.0);
}

// Runs the step once and prints how much memory it added: what the process
// still holds afterwards and the peak reached while it ran.
template <class Passo>
int misuraMemoria(const char* nome, Passo passo) {
    const std::int64_t prima = memoriaResidente();
    azzeraPicco();
    passo();
    std::printf("%s: %.1f MB aggiunti, picco +%.1f MB\n", nome,
                inMegabyte(memoriaResidente() - prima), inMegabyte(piccoResidente() - prima));
    return 0;
}
