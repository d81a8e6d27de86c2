// Every 8-bit colour through every notation: the printed text reads back as the same colour.
// Prints, per notation, how many texts needed each count of decimals, and the time taken.
// Exits 1 when any colour fails.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/core/ColourRoundTrip.h"

int main() {
    const auto tmStart = std::chrono::steady_clock::now();
    const unsigned intThreads = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<int> intNextRed{0};
    std::atomic<long long> lngFailures{0};
    std::mutex objLock;
    std::vector<std::string> arrFirstFailures;
    long long arrDecimals[intColourNotationCount][6] = {};
    std::vector<std::thread> arrWorkers;
    for (unsigned t = 0; t < intThreads; ++t) {
        arrWorkers.emplace_back([&] {
            long long arrMine[intColourNotationCount][6] = {};
            for (int intRed; (intRed = intNextRed++) < 256;) {
                for (int intGreen = 0; intGreen < 256; ++intGreen) {
                    for (int intBlue = 0; intBlue < 256; ++intBlue) {
                        const std::string strFailure =
                            RoundTripFailure(intRed, intGreen, intBlue, arrMine);
                        if (strFailure.empty()) continue;
                        ++lngFailures;
                        const std::lock_guard<std::mutex> objGuard(objLock);
                        if (arrFirstFailures.size() < 20) {
                            char arrHex[16];
                            std::snprintf(arrHex, sizeof arrHex, "#%02x%02x%02x: ", intRed,
                                          intGreen, intBlue);
                            arrFirstFailures.push_back(arrHex);
                            arrFirstFailures.back() += strFailure;
                        }
                    }
                }
            }
            const std::lock_guard<std::mutex> objGuard(objLock);
            for (int n = 0; n < intColourNotationCount; ++n) {
                for (int d = 0; d < 6; ++d) arrDecimals[n][d] += arrMine[n][d];
            }
        });
    }
    for (std::thread& objWorker : arrWorkers) objWorker.join();
    const double dblSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - tmStart).count();

    std::printf("%-14s %10s %10s %10s %10s %10s %10s\n", "notation", "0 dec", "1 dec", "2 dec",
                "3 dec", "4 dec", "5 dec");
    for (int n = 0; n < intColourNotationCount; ++n) {
        std::printf("%-14s",
                    std::string(arrColourNotationCaption.at(static_cast<std::size_t>(n))).c_str());
        for (int d = 0; d < 6; ++d) std::printf(" %10lld", arrDecimals[n][d]);
        std::printf("\n");
    }
    for (const std::string& strFailure : arrFirstFailures)
        std::printf("FAILED %s\n", strFailure.c_str());
    std::printf("%lld of 16777216 colours failed; %u threads, %.1f s\n", lngFailures.load(),
                intThreads, dblSeconds);
    return lngFailures == 0 ? 0 : 1;
}
