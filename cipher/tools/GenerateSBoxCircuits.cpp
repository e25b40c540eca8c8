// Derives gate circuits (AND, OR, XOR, AND-NOT, NOT) for the eight S-boxes and writes DesSBoxCircuits.h.
//
//   des_sbox_generator [seconds-per-box] > cipher/DesSBoxCircuits.h
//
// Every function here is a 64-bit truth table over the six input bits of a group, indexed by the group
// as it lies in the expanded half. An output is found by a bounded search: a gate already built, one new
// gate over two built ones, an existing gate combined with a one-gate function, or else a split on an
// input variable into two halves solved recursively (each half may leave the other half's points open).
// Outputs are built one after another so that later ones reuse earlier gates; random output orders and
// variable orders are tried for the given time and the smallest circuit is kept. The result is checked
// on all 64 inputs before it is written.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "DesSteps.h"

namespace {

using Truth = uint64_t;

enum class Op { Input, And, Or, Xor, AndNot, Not };

struct Gate {
    Op op;
    int a;
    int b;
    Truth value;
};

Truth Apply(Op op, Truth x, Truth y)
{
    switch (op) {
    case Op::And: return x & y;
    case Op::Or: return x | y;
    case Op::Xor: return x ^ y;
    case Op::AndNot: return x & ~y;
    case Op::Not: return ~x;
    case Op::Input: break;
    }
    return 0;
}

struct Circuit {
    std::vector<Gate> gates;

    int Add(Op op, int a, int b)
    {
        gates.push_back({op, a, b, Apply(op, gates[a].value, b >= 0 ? gates[b].value : 0)});
        return static_cast<int>(gates.size()) - 1;
    }
};

constexpr int kInputs = 6;

Truth VariableTruth(int variable)
{
    Truth value = 0;
    for (int x = 0; x < 64; ++x)
        if ((x >> variable) & 1)
            value |= Truth{1} << x;
    return value;
}

bool Matches(Truth value, Truth target, Truth mask)
{
    return ((value ^ target) & mask) == 0;
}

int FindExisting(const Circuit& circuit, Truth target, Truth mask)
{
    for (int i = 0; i < static_cast<int>(circuit.gates.size()); ++i)
        if (Matches(circuit.gates[i].value, target, mask))
            return i;
    return -1;
}

constexpr Op kBinaryOps[] = {Op::And, Op::Or, Op::Xor, Op::AndNot};

// One new gate over built ones; NOT only when nothing binary fits, because it costs a constant operand.
bool FindOneGate(const Circuit& circuit, Truth target, Truth mask, Op& op, int& a, int& b)
{
    const int count = static_cast<int>(circuit.gates.size());
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < count; ++j) {
            if (i == j)
                continue;
            for (Op candidate : kBinaryOps) {
                if (candidate != Op::AndNot && j < i)
                    continue;
                if (Matches(Apply(candidate, circuit.gates[i].value, circuit.gates[j].value), target, mask)) {
                    op = candidate, a = i, b = j;
                    return true;
                }
            }
        }
    for (int i = 0; i < count; ++i)
        if (Matches(~circuit.gates[i].value, target, mask)) {
            op = Op::Not, a = i, b = -1;
            return true;
        }
    return false;
}

// What the other operand Y must be so that `built` op Y gives target on mask; false if no Y can.
struct Requirement {
    Op op;
    bool builtFirst;
    Truth target;
    Truth mask;
};

bool OperandRequirement(Op op, bool builtFirst, Truth built, Truth target, Truth mask, Requirement& need)
{
    need = {op, builtFirst, target, mask};
    switch (op) {
    case Op::Xor:
        need.target = target ^ built;
        return true;
    case Op::And:
        need.mask = mask & built;
        return (target & ~built & mask) == 0;
    case Op::Or:
        need.mask = mask & ~built;
        return (~target & built & mask) == 0;
    case Op::AndNot:
        if (builtFirst) {  // built & ~Y
            need.target = ~target;
            need.mask = mask & built;
            return (target & ~built & mask) == 0;
        }
        need.mask = mask & ~built;  // Y & ~built
        return (target & built & mask) == 0;
    default:
        return false;
    }
}

class Searcher {
public:
    explicit Searcher(unsigned seed) : m_random(seed) {}

    // Builds target (on mask) into circuit with at most `budget` new gates, as few as it finds.
    bool Solve(Circuit& circuit, Truth target, Truth mask, unsigned freeVariables, int budget, int& result)
    {
        if ((result = FindExisting(circuit, target, mask)) >= 0)
            return true;
        if (budget < 1)
            return false;
        Op op;
        int a, b;
        if (FindOneGate(circuit, target, mask, op, a, b)) {
            result = circuit.Add(op, a, b);
            return true;
        }
        if (budget < 2)
            return false;
        if (FindTwoGates(circuit, target, mask, result))
            return true;
        if (budget < 3 || freeVariables == 0)
            return false;
        return Split(circuit, target, mask, freeVariables, budget, result);
    }

private:
    // An existing gate combined with a function that is itself one new gate away.
    bool FindTwoGates(Circuit& circuit, Truth target, Truth mask, int& result)
    {
        const int count = static_cast<int>(circuit.gates.size());
        for (int i = 0; i < count; ++i)
            for (Op op : kBinaryOps)
                for (bool builtFirst : {true, false}) {
                    if (!builtFirst && op != Op::AndNot)
                        continue;
                    Requirement need;
                    if (!OperandRequirement(op, builtFirst, circuit.gates[i].value, target, mask, need))
                        continue;
                    Op innerOp;
                    int a, b;
                    if (!FindOneGate(circuit, need.target, need.mask, innerOp, a, b))
                        continue;
                    const int inner = circuit.Add(innerOp, a, b);
                    result = builtFirst ? circuit.Add(op, i, inner) : circuit.Add(op, inner, i);
                    return true;
                }
        return false;
    }

    // target = first op (second & v) or first op (second & ~v), with v an input variable: `first` is
    // solved where it must hold, `second` fixes the rest on one side of v.
    bool Split(Circuit& circuit, Truth target, Truth mask, unsigned freeVariables, int budget, int& result)
    {
        std::vector<int> variables;
        for (int v = 0; v < kInputs; ++v)
            if (freeVariables & (1u << v))
                variables.push_back(v);
        std::shuffle(variables.begin(), variables.end(), m_random);

        Circuit best;
        int bestResult = -1;
        int bestCost = budget + 1;
        const int before = static_cast<int>(circuit.gates.size());
        for (int v : variables)
            for (Op joint : {Op::Xor, Op::Or, Op::AndNot})
                for (bool onSet : {true, false}) {
                    const int limit = bestCost - 1;
                    if (limit < 3)
                        break;
                    const Truth side = onSet ? VariableTruth(v) : ~VariableTruth(v);
                    Truth firstMask = mask & ~side;
                    if (joint == Op::Or)
                        firstMask |= mask & side & ~target;
                    if (joint == Op::AndNot)
                        firstMask |= mask & side & target;
                    Circuit trial = circuit;
                    int first, second;
                    const unsigned rest = freeVariables & ~(1u << v);
                    if (!Solve(trial, target, firstMask, rest, limit - 3, first))
                        continue;
                    const Truth firstValue = trial.gates[first].value;
                    Truth secondTarget = target, secondMask = mask & side;
                    if (joint == Op::Xor)
                        secondTarget = target ^ firstValue;
                    if (joint == Op::Or)
                        secondMask &= ~(firstValue & target);
                    if (joint == Op::AndNot) {
                        secondTarget = ~target;
                        secondMask &= firstValue | target;
                    }
                    const int used = static_cast<int>(trial.gates.size()) - before;
                    if (!Solve(trial, secondTarget, secondMask, rest, limit - 2 - used, second))
                        continue;
                    const int input = v;
                    const int restricted = onSet ? trial.Add(Op::And, second, input) : trial.Add(Op::AndNot, second, input);
                    const int joined = trial.Add(joint, first, restricted);
                    const int cost = static_cast<int>(trial.gates.size()) - before;
                    if (cost < bestCost && Matches(trial.gates[joined].value, target, mask)) {
                        best = std::move(trial);
                        bestResult = joined;
                        bestCost = cost;
                    }
                }
        if (bestResult < 0)
            return false;
        circuit = std::move(best);
        result = bestResult;
        return true;
    }

    std::mt19937 m_random;
};

Truth OutputTruth(int box, int bit)
{
    Truth value = 0;
    for (unsigned x = 0; x < 64; ++x)
        if ((ReindexedSBoxEntry(box, x) >> bit) & 1)
            value |= Truth{1} << x;
    return value;
}

Circuit Inputs()
{
    Circuit circuit;
    for (int v = 0; v < kInputs; ++v)
        circuit.gates.push_back({Op::Input, -1, -1, VariableTruth(v)});
    return circuit;
}

// Keeps only the gates the outputs reach, in order.
Circuit Prune(const Circuit& circuit, int (&outputs)[4])
{
    std::vector<bool> live(circuit.gates.size(), false);
    for (int output : outputs)
        live[output] = true;
    for (int i = static_cast<int>(circuit.gates.size()) - 1; i >= kInputs; --i)
        if (live[i]) {
            live[circuit.gates[i].a] = true;
            if (circuit.gates[i].b >= 0)
                live[circuit.gates[i].b] = true;
        }
    Circuit pruned = Inputs();
    std::vector<int> renumbered(circuit.gates.size(), -1);
    for (int v = 0; v < kInputs; ++v)
        renumbered[v] = v;
    for (int i = kInputs; i < static_cast<int>(circuit.gates.size()); ++i)
        if (live[i]) {
            const Gate& gate = circuit.gates[i];
            renumbered[i] = pruned.Add(gate.op, renumbered[gate.a], gate.b >= 0 ? renumbered[gate.b] : -1);
        }
    for (int& output : outputs)
        output = renumbered[output];
    return pruned;
}

struct BoxCircuit {
    Circuit circuit;
    int outputs[4];

    int GateCount() const { return static_cast<int>(circuit.gates.size()) - kInputs; }
};

// Smallest budget first, so the first circuit found for an output is among the cheapest reachable.
bool BuildOutput(Searcher& searcher, Circuit& circuit, Truth target, int& result)
{
    for (int budget = 0; budget <= 40; ++budget) {
        Circuit trial = circuit;
        if (searcher.Solve(trial, target, ~Truth{0}, (1u << kInputs) - 1, budget, result)) {
            circuit = std::move(trial);
            return true;
        }
    }
    return false;
}

BoxCircuit SearchBox(int box, double seconds, unsigned seed)
{
    Searcher searcher(seed);
    std::mt19937 random(seed);
    BoxCircuit best;
    best.circuit = Inputs();
    int bestCount = 1 << 30;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int order[4] = {0, 1, 2, 3};
    do {
        std::shuffle(order, order + 4, random);
        BoxCircuit trial;
        trial.circuit = Inputs();
        bool complete = true;
        for (int bit : order)
            if (!BuildOutput(searcher, trial.circuit, OutputTruth(box, bit), trial.outputs[bit])) {
                complete = false;
                break;
            }
        if (!complete)
            continue;
        trial.circuit = Prune(trial.circuit, trial.outputs);
        if (trial.GateCount() < bestCount) {
            bestCount = trial.GateCount();
            best = trial;
        }
    } while (std::chrono::steady_clock::now() < deadline);
    return best;
}

bool Verify(int box, const BoxCircuit& found)
{
    for (int bit = 0; bit < 4; ++bit)
        if (found.circuit.gates[found.outputs[bit]].value != OutputTruth(box, bit))
            return false;
    return true;
}

const char* OperandName(int index, char* text, std::size_t size)
{
    if (index < kInputs)
        std::snprintf(text, size, "a%d", index);
    else
        std::snprintf(text, size, "t%d", index - kInputs);
    return text;
}

void Write(int box, const BoxCircuit& found)
{
    std::printf("\n// S%d: %d gates.\n", box + 1, found.GateCount());
    std::printf("template <typename V>\ninline void SBox%d(V a0, V a1, V a2, V a3, V a4, V a5, V& o0, V& o1, V& o2, V& o3)\n{\n",
                box + 1);
    char x[16], y[16];
    for (int i = kInputs; i < static_cast<int>(found.circuit.gates.size()); ++i) {
        const Gate& gate = found.circuit.gates[i];
        const char* form = gate.op == Op::And      ? "And"
                           : gate.op == Op::Or     ? "Or"
                           : gate.op == Op::Xor    ? "Xor"
                           : gate.op == Op::AndNot ? "AndNot"
                                                   : "Not";
        if (gate.op == Op::Not)
            std::printf("    const V t%d = Not(%s);\n", i - kInputs, OperandName(gate.a, x, sizeof x));
        else
            std::printf("    const V t%d = %s(%s, %s);\n", i - kInputs, form, OperandName(gate.a, x, sizeof x),
                        OperandName(gate.b, y, sizeof y));
    }
    for (int bit = 0; bit < 4; ++bit)
        std::printf("    o%d = %s;\n", bit, OperandName(found.outputs[bit], x, sizeof x));
    std::printf("}\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    BoxCircuit circuits[8];
    int total = 0;
    for (int box = 0; box < 8; ++box) {
        circuits[box] = SearchBox(box, seconds, 1000u + static_cast<unsigned>(box));
        if (!Verify(box, circuits[box])) {
            std::fprintf(stderr, "des_sbox_generator: S%d circuit does not match its table\n", box + 1);
            return 1;
        }
        std::fprintf(stderr, "S%d: %d gates\n", box + 1, circuits[box].GateCount());
        total += circuits[box].GateCount();
    }
    std::printf("// The eight DES S-boxes as gate circuits over bit slices, %d gates in all. Generated by\n", total);
    std::printf("// cipher/tools/GenerateSBoxCircuits.cpp (des_sbox_generator %g); do not edit by hand.\n", seconds);
    std::printf("//\n// Input aN is bit N of the 6-bit group as it lies in the expanded half; output oN is bit N of\n");
    std::printf("// the S-box result in the cipher's order (FIPS's first output bit is o0). V supplies And, Or,\n");
    std::printf("// Xor, AndNot(x, y) = x & ~y and Not. In an unnamed namespace, so that every kernel file\n");
    std::printf("// compiles its own copy for its own instruction set.\n#pragma once\n\nnamespace {\n");
    for (int box = 0; box < 8; ++box)
        Write(box, circuits[box]);
    std::printf("\n}  // namespace\n");
    return 0;
}
