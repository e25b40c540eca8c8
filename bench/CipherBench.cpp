// Throughput of the chaining routines on every DES path the processor has and (natively) of OpenSSL's DES-CBC, in MB/s.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "Chain.h"
#include "ChainTesting.h"
#include "Des.h"

#ifdef VELMORA_BENCH_OPENSSL
// DES_ncbc_encrypt is deprecated in OpenSSL 3 but is the plain DES-CBC this benchmark compares with.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <openssl/des.h>
#endif

namespace {

constexpr int kTransferUnit = 10000;
constexpr std::size_t kFastBytes = 64u << 20;
constexpr std::size_t kReferenceBytes = 1u << 20;

using BufferFunction = void (*)(void*, int);

double Seconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

template <typename Work>
double MegabytesPerSecond(std::size_t bytes, Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return bytes / Seconds(std::chrono::steady_clock::now() - start) / 1e6;
}

void InUnits(std::vector<unsigned char>& data, std::size_t bytes, BufferFunction process)
{
    for (std::size_t offset = 0; offset < bytes; offset += kTransferUnit) {
        const std::size_t length = bytes - offset < kTransferUnit ? bytes - offset : kTransferUnit;
        process(data.data() + offset, static_cast<int>(length));
    }
}

// The best of each direction over several passes, so that a burst of other work on the machine does not
// decide the figure.
struct Rates {
    double encipher = 0;
    double decipher = 0;

    void Keep(double encipherRate, double decipherRate)
    {
        encipher = encipherRate > encipher ? encipherRate : encipher;
        decipher = decipherRate > decipher ? decipherRate : decipher;
    }
};

void RequireRoundTrip(const std::vector<unsigned char>& data, const std::vector<unsigned char>& original,
                      std::size_t bytes, const char* what)
{
    if (std::memcmp(data.data(), original.data(), bytes) != 0) {
        std::fprintf(stderr, "cipher_bench: %s did not restore the plaintext\n", what);
        std::exit(1);
    }
}

// Each pass enciphers `data` in place from a zero register and deciphers it back.
Rates MeasureChain(std::vector<unsigned char>& data, const std::vector<unsigned char>& original, std::size_t bytes,
                   int passes, BufferFunction encipher, BufferFunction decipher)
{
    Rates rates;
    for (int pass = 0; pass < passes; ++pass) {
        SetChainRegister(0);
        const double encipherRate = MegabytesPerSecond(bytes, [&] { InUnits(data, bytes, encipher); });
        SetChainRegister(0);
        const double decipherRate = MegabytesPerSecond(bytes, [&] { InUnits(data, bytes, decipher); });
        RequireRoundTrip(data, original, bytes, "deciphering");
        rates.Keep(encipherRate, decipherRate);
    }
    return rates;
}

#ifdef VELMORA_BENCH_OPENSSL
Rates MeasureOpenSslCbc(std::vector<unsigned char>& data, const std::vector<unsigned char>& original,
                        std::size_t bytes, int passes, const unsigned char (&keyBytes)[8])
{
    DES_cblock key;
    std::memcpy(key, keyBytes, 8);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);
    std::vector<unsigned char> ciphertext(bytes);

    auto run = [&](const std::vector<unsigned char>& input, std::vector<unsigned char>& output, int direction) {
        DES_cblock iv = {0};
        for (std::size_t offset = 0; offset < bytes; offset += kTransferUnit) {
            const std::size_t length = bytes - offset < kTransferUnit ? bytes - offset : kTransferUnit;
            DES_ncbc_encrypt(input.data() + offset, output.data() + offset, static_cast<long>(length), &schedule,
                             &iv, direction);
        }
    };
    Rates rates;
    for (int pass = 0; pass < passes; ++pass) {
        const double encipherRate = MegabytesPerSecond(bytes, [&] { run(original, ciphertext, DES_ENCRYPT); });
        const double decipherRate = MegabytesPerSecond(bytes, [&] { run(ciphertext, data, DES_DECRYPT); });
        RequireRoundTrip(data, original, bytes, "OpenSSL's deciphering");
        rates.Keep(encipherRate, decipherRate);
    }
    return rates;
}
#endif

void Report(const char* name, Rates rates)
{
    std::printf("%-11s encipher %8.2f MB/s   decipher %8.2f MB/s\n", name, rates.encipher, rates.decipher);
}

void ReportRatio(const char* name, const char* peer, Rates rates, Rates peerRates)
{
    std::printf("%s/%s ratio encipher %6.2fx   decipher %6.2fx\n", name, peer, rates.encipher / peerRates.encipher,
                rates.decipher / peerRates.decipher);
}

}  // namespace

int main(int argc, char** argv)
{
    const int passes = argc > 1 ? std::atoi(argv[1]) : 3;

    std::mt19937_64 random(1);
    std::vector<unsigned char> original(kFastBytes);
    for (unsigned char& byte : original)
        byte = static_cast<unsigned char>(random());
    std::vector<unsigned char> data = original;

    unsigned char keyBytes[8];
    for (unsigned char& byte : keyBytes)
        byte = static_cast<unsigned char>(random());
    DesSetKey(keyBytes[0] | keyBytes[1] << 8 | keyBytes[2] << 16 | static_cast<uint32_t>(keyBytes[3]) << 24,
              keyBytes[4] | keyBytes[5] << 8 | keyBytes[6] << 16 | static_cast<uint32_t>(keyBytes[7]) << 24);

    std::printf("cipher_bench: %zu MiB in %d-byte calls, reference on %zu MiB, best of %d passes; default path %s\n",
                kFastBytes >> 20, kTransferUnit, kReferenceBytes >> 20, passes, DesPathName(SelectedDesPath()));
    // Each path on one thread, as OpenSSL runs; then the default path as the program runs it.
    SetKernelThreads(1);
    Rates rates[std::size(kAllDesPaths)];
    for (std::size_t p = 0; p < std::size(kAllDesPaths); ++p) {
        const DesPath path = kAllDesPaths[p];
        if (!SelectDesPath(path)) {
            std::printf("%-10s not available on this processor\n", DesPathName(path));
            continue;
        }
        const bool reference = path == DesPath::Reference;
        rates[p] = MeasureChain(data, original, reference ? kReferenceBytes : kFastBytes, reference ? 1 : passes,
                                EncipherBuffer, DecipherBuffer);
        Report(DesPathName(path), rates[p]);
    }
    SelectBestDesPath();
    SetKernelThreads(2);
    const Rates twoThreads = MeasureChain(data, original, kFastBytes, passes, EncipherBuffer, DecipherBuffer);
    Report("two-threads", twoThreads);
#ifdef VELMORA_BENCH_OPENSSL
    const Rates openSsl = MeasureOpenSslCbc(data, original, kFastBytes, passes, keyBytes);
    Report("openssl", openSsl);
#endif
    for (std::size_t p = 0; p < std::size(kAllDesPaths); ++p) {
        if (rates[p].encipher == 0)
            continue;
#ifdef VELMORA_BENCH_OPENSSL
        ReportRatio(DesPathName(kAllDesPaths[p]), "openssl", rates[p], openSsl);
#endif
        ReportRatio(DesPathName(kAllDesPaths[p]), "reference", rates[p], rates[0]);
    }
#ifdef VELMORA_BENCH_OPENSSL
    ReportRatio("two-threads", "openssl", twoThreads, openSsl);
#endif
    return 0;
}

#ifdef VELMORA_BENCH_OPENSSL
#pragma GCC diagnostic pop
#endif
