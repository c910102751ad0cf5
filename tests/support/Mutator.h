#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace asv::test {

// Random bytes and damaged copies of good inputs for the parsers' noise tests. A test runs a fixed
// number of inputs from a fixed seed, the same every time; scripts/fuzz sets ASV_FUZZ_SECONDS to
// run each test that long from a fresh seed, printed so that a failure can be replayed with
// ASV_FUZZ_SEED.
class Mutator {
public:
    explicit Mutator(QList<QByteArray> seeds) : m_seeds(std::move(seeds)), m_seed(firstSeed()), m_random(m_seed) {}

    QByteArray noise(int size)
    {
        QByteArray b(size, '\0');
        for (char& c : b)
            c = byte();
        return b;
    }

    // A seed with a few bytes changed, removed, inserted or cut off.
    QByteArray mutated()
    {
        QByteArray b = m_seeds.at(qsizetype(m_random() % unsigned(m_seeds.size())));
        for (int edits = 1 + int(m_random() % 4); edits > 0 && !b.isEmpty(); --edits) {
            const qsizetype at = qsizetype(m_random() % unsigned(b.size()));
            switch (m_random() % 5) {
            case 0: b[at] = byte(); break;
            case 1: b.remove(at, 1 + qsizetype(m_random() % 3)); break;
            case 2: b.insert(at, noise(1 + int(below(8)))); break;
            case 3: b.insert(at, b.mid(at, qsizetype(m_random() % 64))); break; // a repeated stretch
            default: b.truncate(at); break;
            }
        }
        return b;
    }

    // Mutated seeds and plain noise in turn.
    QByteArray next() { return (++m_count % 2) ? mutated() : noise(int(below(300))); }
    unsigned below(unsigned n) { return unsigned(m_random() % n); }

    // Calls body(input) for count inputs, or for ASV_FUZZ_SECONDS when that is set. The seed goes
    // out first, so that a failing run can be replayed; the count last, for the long runs' tally.
    template <class Body>
    void run(int count, Body&& body)
    {
        const double seconds = std::atof(std::getenv("ASV_FUZZ_SECONDS") ? std::getenv("ASV_FUZZ_SECONDS") : "0");
        std::fprintf(stderr, "ASV_FUZZ_SEED=%u\n", m_seed);
        QElapsedTimer clock;
        clock.start();
        long i = 0;
        for (; seconds > 0 ? clock.elapsed() < seconds * 1000 : i < count; ++i)
            body(next());
        std::fprintf(stderr, "ASV_FUZZ_INPUTS=%ld\n", i);
    }

private:
    char byte() { return static_cast<char>(m_random() & 0xFF); }

    static unsigned firstSeed()
    {
        if (const char* fixed = std::getenv("ASV_FUZZ_SEED"))
            return unsigned(std::strtoul(fixed, nullptr, 10));
        if (!std::getenv("ASV_FUZZ_SECONDS"))
            return 20261206;
        return std::random_device{}();
    }

    QList<QByteArray> m_seeds;
    unsigned m_seed;
    std::mt19937 m_random;
    long m_count = 0;
};

} // namespace asv::test
