// The host's road under Windows: Solvane.dll loaded by the loader, createViewer found by
// name, and every slot called through the raw virtual table with the argument words the
// host pushes, as a host compiled elsewhere would.
#include "solidkernel/errors.h"
#include "solidkernel/lifecycle.h"
#include "solidkernel/testhooks.h"
#include "stratum/ModelerHost.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct SlotCall {
    unsigned result;  // EAX
    int stackDelta;   // ESP after the call minus ESP before the arguments were pushed (32-bit)
};

#if defined(__i386__)
// Calls virtual slot `slot` of `object` by thiscall with `words` zero argument words. The
// callee must pop exactly those words.
SlotCall callSlot(void* object, int slot, int words) {
    void** table = *static_cast<void***>(object);
    void* function = table[slot];
    unsigned result;
    int delta;
    int count = words;
    int saved;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl $0\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "movl %%edi, %%ecx\n\t"
        "call *%%ebx\n\t"
        "movl %%esp, %%edx\n\t"
        "subl %%esi, %%edx\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(result), "=d"(delta), "+c"(count), "=S"(saved)
        : "D"(object), "b"(function)
        : "memory", "cc");
    return {result, delta};
}
#else
// The 64-bit Windows convention has one calling convention and the caller removes the
// arguments, so a slot cannot pop a wrong number of words: the stack check is a 32-bit
// matter and is left out here. The slot is still called through the raw table with as many
// zero words as any slot takes, and its result checked.
SlotCall callSlot(void* object, int slot, int /*words*/) {
    using Slot = std::intptr_t (*)(void*, std::intptr_t, std::intptr_t, std::intptr_t,
                                   std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                   std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                   std::intptr_t);
    void** table = *static_cast<void***>(object);
    Slot function = reinterpret_cast<Slot>(table[slot]);
    auto result = function(object, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    return {static_cast<unsigned>(result), 0};  // no stack delta to measure
}
#endif

// Slots that only answer 0, by the number of argument words the host passes.
const std::vector<std::pair<int, std::vector<int>>> kConstantSlotsByWords = {
    {0, {36, 37}},
    {2, {6, 11, 28, 29, 31, 32, 41, 42, 43, 44, 45, 57, 62, 63, 64, 77}},
    {3, {25, 30, 33, 34, 50, 53, 60, 66, 78, 82, 84, 86}},
    {4, {8, 24, 27, 46, 51, 52, 54, 55, 58, 61, 67, 68, 71, 81, 83}},
    {5, {9, 12, 13, 35, 48, 65, 69, 70}},
    {6, {14, 21, 22}},
    {7, {16, 20, 38, 39, 40, 47, 49, 59, 72, 73}},
    {8, {15, 17, 19, 26, 85}},
    {9, {18}},
    {12, {23}},
};

class HostLoadsBridge : public ::testing::Test {
protected:
    void SetUp() override {
        kernel_test::failNextCall("");
        kernel_test::resetCallLog();
    }
    void TearDown() override { host.unload(); }

    ModelerHost host;
};

TEST_F(HostLoadsBridge, CreateViewerIsAnUndecoratedExportReturningOneObject) {
    HMODULE module = LoadLibraryA("Solvane.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "createViewer"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "_createViewer"), nullptr);
    FreeLibrary(module);

    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    CModeler* first = CModeler::get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(host.createViewer(), first);
}

TEST_F(HostLoadsBridge, EveryConstantSlotAnswersZeroAndKeepsTheStackBalanced) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    CModeler* modeler = host.modeler();
    kernel_test::resetCallLog();
    int checked = 0;
    for (const auto& [words, slots] : kConstantSlotsByWords) {
        for (int slot : slots) {
            SlotCall call = callSlot(modeler, slot, words);
            EXPECT_EQ(call.result, 0u) << "slot " << slot;
#if defined(__i386__)
            EXPECT_EQ(call.stackDelta, 0) << "slot " << slot << " with " << words << " words";
#endif
            ++checked;
        }
    }
    EXPECT_EQ(checked, 73);
    EXPECT_TRUE(kernel_test::callLog().empty());
}

TEST_F(HostLoadsBridge, FlagSlotsAnswerWithoutTouchingTheKernel) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    kernel_test::resetCallLog();
    SlotCall one = callSlot(host.modeler(), 1, 0);
    SlotCall two = callSlot(host.modeler(), 2, 0);
    SlotCall three = callSlot(host.modeler(), 3, 0);
    EXPECT_EQ(one.result & 0xFF, 1u);
    EXPECT_EQ(two.result & 0xFF, 1u);
    EXPECT_EQ(three.result & 0xFF, 0u);
#if defined(__i386__)
    EXPECT_EQ(one.stackDelta + two.stackDelta + three.stackDelta, 0);
#endif
    EXPECT_TRUE(kernel_test::callLog().empty());
}

#if defined(__i386__)  // callee-popped words exist only in the 32-bit convention
TEST_F(HostLoadsBridge, FreeAndClearSlotsPopTheirWords) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    EXPECT_EQ(callSlot(host.modeler(), 4, 1).stackDelta, 0);  // frees a null block
    EXPECT_EQ(callSlot(host.modeler(), 5, 0).stackDelta, 0);
    EXPECT_EQ(callSlot(host.modeler(), 79, 0).stackDelta, 0);
}
#endif

#if defined(__i386__)
TEST_F(HostLoadsBridge, BodySlotsPopTheirWordsAndRefuseNullPointers) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    // Transform (3 words), extents (4) and perimeter (2) with every pointer null: each
    // answers 0 with the null-argument error before it reads a record.
    for (auto [slot, words] : {std::pair{7, 3}, {75, 4}, {76, 2}}) {
        SlotCall call = callSlot(host.modeler(), slot, words);
        EXPECT_EQ(call.result, 0u) << "slot " << slot;
        EXPECT_EQ(call.stackDelta, 0) << "slot " << slot;
        EXPECT_EQ(callSlot(host.modeler(), 79, 0).result, unsigned(kernel_errors::kNullArgument)) << "slot " << slot;
    }
}
#endif

TEST_F(HostLoadsBridge, FailedLawStartLeavesNoModelerAndTheKernelStopped) {
    kernel_test::failNextCall("initialize_law");
    EXPECT_FALSE(host.load("Solvane.dll"));
    EXPECT_EQ(CModeler::get(), nullptr);
    std::vector<std::string> expected = {"api_start_modeller", "initialize_base", "initialize_law!",
                                         "terminate_base", "api_stop_modeller"};
    EXPECT_EQ(kernel_test::callLog(), expected);
    EXPECT_FALSE(kernel_is_running());
}

TEST_F(HostLoadsBridge, LastErrorSlotReportsTheFailedCallThenZeroAfterSuccess) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    CModeler* modeler = host.modeler();
    kernel_test::failNextCall("api_initialize_faceter", kernel_errors::kInterrupted);
    kernel_test::failNextCall("api_stop_modeller", kernel_errors::kAlreadyStopped);
    EXPECT_EQ(host.createViewer(), nullptr);
    CModeler::s_pModeler = modeler;  // the host keeps the object it already had
    EXPECT_EQ(callSlot(modeler, 79, 0).result, unsigned(kernel_errors::kAlreadyStopped));
    EXPECT_EQ(host.createViewer(), modeler);
    EXPECT_EQ(callSlot(modeler, 79, 0).result, 0u);
}

TEST_F(HostLoadsBridge, ErrorTextSlotFillsTheHostString) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    long blocksBefore = stratumLiveBlocks();
    {
        HostString text;
        EXPECT_EQ(host.modeler()->errorText(kernel_errors::kNotStarted, text), 1);
        EXPECT_EQ(std::string(text.c_str()), "the modeller has not been started");
    }
    EXPECT_EQ(stratumLiveBlocks(), blocksBefore);
}

TEST_F(HostLoadsBridge, UnloadingDestroysTheModelerAndStopsTheKernel) {
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    EXPECT_TRUE(kernel_is_running());
    kernel_test::resetCallLog();
    host.unload();
    EXPECT_EQ(CModeler::get(), nullptr);
    EXPECT_FALSE(kernel_is_running());
    ASSERT_FALSE(kernel_test::callLog().empty());
    EXPECT_EQ(kernel_test::callLog().front(), "api_terminate_faceter");
    EXPECT_EQ(kernel_test::callLog().back(), "api_stop_modeller");
}

}  // namespace
