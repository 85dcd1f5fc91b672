// Draws millions of signs and match choices with ravlo's own generator and
// sign rules, from fixed seeds, and compares the shares with the stated odds:
//   ravlo_fairness CSV [SIGNS]
// SIGNS per sign rule (default 10,000,000); a tenth as many match choices.
// Prints a table and writes the same figures to CSV. Documentation only:
// nothing here passes or fails except the self-check of the p-value function.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "chi_square.h"
#include "generation/portable/random_mersenne.h"
#include "generation/portable/rows.h"

namespace {

// One distribution: its categories with stated shares and observed hits.
struct Set {
    const char* kind;  // "sign" or "match"
    std::string name;
    std::vector<std::string> labels;
    std::vector<double> stated;
    std::vector<std::uint64_t> hits;
    std::uint64_t draws = 0;
    double chiSquare = 0.0;
    double pValue = 0.0;
};

const std::vector<std::string> kSigns = {"1", "X", "2"};

// A sign set drawn `count` times; `draw` gives 0, 1 or 2 from the generator.
Set SignSet(const std::string& name, std::vector<double> stated, std::uint64_t count,
            TRandomMersenne& generator, const std::function<int(TRandomMersenne&)>& draw) {
    Set set{"sign", name, kSigns, std::move(stated), std::vector<std::uint64_t>(3), count};
    for (std::uint64_t i = 0; i < count; ++i) ++set.hits[draw(generator)];
    return set;
}

// The random match as the program picks it: IRandom(1, 13) again until the
// match has no sign yet. The stated share is 1 / free matches for each free one.
Set MatchSet(const std::vector<int>& fixedMatches, std::uint64_t count, TRandomMersenne& generator,
             std::uint64_t& matchDraws) {
    bool fixed[rows::kMatches] = {};
    for (int m : fixedMatches) fixed[m - 1] = true;
    // No commas: the name is a CSV field.
    std::string name = "SLUMPA match";
    for (std::size_t i = 0; i < fixedMatches.size(); ++i)
        name += (i ? " " : " with fixed ") + std::to_string(fixedMatches[i]);
    if (fixedMatches.empty()) name += " on a fresh coupon";

    Set set{"match", name, {}, {}, {}, count};
    std::vector<int> category(rows::kMatches, -1);
    const double share = 1.0 / (rows::kMatches - static_cast<int>(fixedMatches.size()));
    for (int m = 1; m <= rows::kMatches; ++m) {
        if (fixed[m - 1]) continue;
        category[m - 1] = static_cast<int>(set.labels.size());
        set.labels.push_back(std::to_string(m));
        set.stated.push_back(share);
    }
    set.hits.assign(set.labels.size(), 0);
    matchDraws = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        int match;
        do {
            match = generator.IRandom(1, rows::kMatches);
            ++matchDraws;
        } while (fixed[match - 1]);
        ++set.hits[category[match - 1]];
    }
    return set;
}

void Evaluate(Set& set) {
    set.chiSquare = fairness::PearsonChiSquare(set.hits, set.stated);
    set.pValue = fairness::ChiSquareSurvival(set.chiSquare, static_cast<int>(set.hits.size()) - 1);
}

double Observed(const Set& set, std::size_t i) { return static_cast<double>(set.hits[i]) / set.draws; }
// Two standard deviations of an observed share, in percentage points.
double TwoSigmaPoints(const Set& set, std::size_t i) {
    return 200.0 * std::sqrt(set.stated[i] * (1.0 - set.stated[i]) / set.draws);
}

void PrintTable(const Set& set) {
    std::printf("%s: %llu draws, chi-square %.3f, df %zu, p %.4f\n", set.name.c_str(),
                static_cast<unsigned long long>(set.draws), set.chiSquare, set.hits.size() - 1, set.pValue);
    for (std::size_t i = 0; i < set.hits.size(); ++i)
        std::printf("  %-3s stated %8.4f %%  observed %8.4f %%  (%+.4f pp, 2 sigma %.4f pp)\n",
                    set.labels[i].c_str(), 100.0 * set.stated[i], 100.0 * Observed(set, i),
                    100.0 * (Observed(set, i) - set.stated[i]), TwoSigmaPoints(set, i));
}

bool WriteCsv(const char* path, const std::vector<Set>& sets) {
    std::FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fprintf(out, "kind,set_index,set,category,label,draws,hits,stated,observed,"
                      "deviation_pp,two_sigma_pp,chi_square,df,p_value\n");
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const Set& set = sets[s];
        for (std::size_t i = 0; i < set.hits.size(); ++i)
            std::fprintf(out, "%s,%zu,%s,%zu,%s,%llu,%llu,%.10f,%.10f,%.6f,%.6f,%.6f,%zu,%.6f\n", set.kind, s,
                         set.name.c_str(), i, set.labels[i].c_str(), static_cast<unsigned long long>(set.draws),
                         static_cast<unsigned long long>(set.hits[i]), set.stated[i], Observed(set, i),
                         100.0 * (Observed(set, i) - set.stated[i]), TwoSigmaPoints(set, i), set.chiSquare,
                         set.hits.size() - 1, set.pValue);
    }
    return std::fclose(out) == 0;
}

// The p-values are only worth printing if the survival function is right:
// with 1 and 2 degrees of freedom it has closed forms.
bool SurvivalFunctionAgrees() {
    for (double x : {0.01, 0.5, 1.0, 2.5, 7.0, 30.0}) {
        const double df1 = std::erfc(std::sqrt(x / 2.0));
        const double df2 = std::exp(-x / 2.0);
        if (std::fabs(fairness::ChiSquareSurvival(x, 1) - df1) > 1e-12 * (1.0 + df1) ||
            std::fabs(fairness::ChiSquareSurvival(x, 2) - df2) > 1e-12 * (1.0 + df2)) {
            std::fprintf(stderr, "chi-square survival function is off at x = %g\n", x);
            return false;
        }
    }
    return true;
}

// Every set, each from its own generator and fixed seed, so that every set
// keeps its figures whatever the others draw. matchDraws[i] counts the
// IRandom(1, 13) calls behind match set i, retries included.
std::vector<Set> DrawAll(std::uint64_t signs, std::uint64_t choices, std::uint64_t (&matchDraws)[2]) {
    std::int32_t seed = 20040822;
    auto next = [&seed]() { return TRandomMersenne(seed++); };
    std::vector<Set> sets;
    int lastDraw = 0;
    const rows::Statistics england{793, 359, 560}, sweden{325, 131, 206};
    auto g = next();
    sets.push_back(SignSet("stat England", {359 / 793.0, 201 / 793.0, 233 / 793.0}, signs, g,
                           [&](TRandomMersenne& r) { return rows::DrawStatisticsSign(r, england, lastDraw); }));
    g = next();
    sets.push_back(SignSet("stat Sverige", {131 / 325.0, 75 / 325.0, 119 / 325.0}, signs, g,
                           [&](TRandomMersenne& r) { return rows::DrawStatisticsSign(r, sweden, lastDraw); }));
    for (int reference = 0; reference < 3; ++reference) {
        std::vector<double> stated(3, 0.25);
        stated[reference] = 0.5;
        g = next();
        sets.push_back(SignSet(std::string("Rad Ref. ") + rows::SignChar(reference), stated, signs, g,
                               [reference](TRandomMersenne& r) {
                                   return rows::AroundReference(reference, r.IRandom(1, 100));
                               }));
    }
    // The random match's sign when neither statistics method is chosen.
    g = next();
    sets.push_back(SignSet("SLUMPA sign", {3 / 6.0, 1 / 6.0, 2 / 6.0}, signs, g,
                           [](TRandomMersenne& r) { return rows::SixSided(r.IRandom(1, 6)); }));
    g = next();
    sets.push_back(MatchSet({}, choices, g, matchDraws[0]));
    g = next();
    sets.push_back(MatchSet({3, 6, 7, 12, 13}, choices, g, matchDraws[1]));
    return sets;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ravlo_fairness CSV [SIGNS]\n");
        return 2;
    }
    const std::uint64_t signs = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 10000000;
    if (signs < 10) {
        std::fprintf(stderr, "SIGNS must be at least 10\n");
        return 2;
    }
    if (!SurvivalFunctionAgrees()) return 1;
    const std::uint64_t choices = signs / 10;

    const auto start = std::chrono::steady_clock::now();
    std::uint64_t matchDraws[2];
    std::vector<Set> sets = DrawAll(signs, choices, matchDraws);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    for (Set& set : sets) {
        Evaluate(set);
        PrintTable(set);
    }
    std::printf("match draws per choice: %.4f with none fixed (1 expected), %.4f with 5 fixed (%.4f expected)\n",
                static_cast<double>(matchDraws[0]) / choices, static_cast<double>(matchDraws[1]) / choices,
                13.0 / 8.0);
    std::printf("%llu signs and %llu match choices drawn in %.2f s\n",
                static_cast<unsigned long long>(6 * signs), static_cast<unsigned long long>(2 * choices), seconds);
    if (!WriteCsv(argv[1], sets)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", argv[1]);
    return 0;
}
