#pragma once

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

// Values handed from any threads to one taker without a lock: each side
// changes the list in one atomic step, so neither ever waits for the other,
// whatever their priorities.
template <typename T> class HandOver
{
public:
    HandOver() = default;
    ~HandOver() { static_cast<void>(takeAll()); } // what was never taken goes with it
    HandOver(const HandOver &) = delete;
    HandOver &operator=(const HandOver &) = delete;

    void put(T value)
    {
        auto *node = new Node{std::move(value), newest_.load(std::memory_order_relaxed)};
        while (!newest_.compare_exchange_weak(node->next, node, std::memory_order_release,
                                              std::memory_order_relaxed)) {
        }
    }

    // Everything put so far, the oldest first.
    [[nodiscard]] std::vector<T> takeAll()
    {
        std::vector<T> taken;
        for (Node *node = newest_.exchange(nullptr, std::memory_order_acquire); node;) {
            const std::unique_ptr<Node> owned(node);
            taken.push_back(std::move(node->value));
            node = node->next;
        }
        std::reverse(taken.begin(), taken.end());
        return taken;
    }

private:
    struct Node
    {
        T value;
        Node *next;
    };
    std::atomic<Node *> newest_{nullptr};
};
