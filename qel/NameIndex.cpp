// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#include "qel/NameIndex.h"

#include <deque>

namespace qel {

namespace {

// The names spelt backwards in a trie with failure links (an Aho-Corasick
// automaton).  Read backwards, the text meets a name exactly where the name
// starts, and the names that start at a position are then those on the
// failure chain of the state reached: the first of them in table order is
// kept in each state beforehand.
class ReversedNames {
public:
    explicit ReversedNames(const VariableTable &variables)
    {
        nodes_.emplace_back();
        for (size_t i = 0; i < variables.Size(); ++i)
            Insert(variables.Name(i), static_cast<int32_t>(i));
        Link();
    }

    // The state after reading `c` in `state`.
    uint32_t Next(uint32_t state, unsigned char c) const
    {
        for (;;) {
            if (const uint32_t child = Child(state, c))
                return child;
            if (state == kRoot)
                return kRoot;
            state = nodes_[state].link;
        }
    }

    int32_t FirstNameEndingIn(uint32_t state) const { return nodes_[state].first; }

private:
    static constexpr uint32_t kRoot = 0;

    struct Node {
        uint32_t child = 0;     // first child; 0 for none (the root is nobody's child)
        uint32_t sibling = 0;   // next child of the same parent
        uint32_t link = kRoot;  // longest proper suffix that is also a node
        int32_t own = -1;       // the first variable whose reversed name ends here
        int32_t first = -1;     // the first variable among own and the link chain's
        unsigned char c = 0;
    };

    uint32_t Child(uint32_t node, unsigned char c) const
    {
        for (uint32_t child = nodes_[node].child; child != 0; child = nodes_[child].sibling)
            if (nodes_[child].c == c)
                return child;
        return 0;
    }

    void Insert(const std::string &name, int32_t index)
    {
        uint32_t node = kRoot;
        for (auto it = name.rbegin(); it != name.rend(); ++it) {
            const unsigned char c = static_cast<unsigned char>(*it);
            uint32_t child = Child(node, c);
            if (child == 0) {
                child = static_cast<uint32_t>(nodes_.size());
                Node fresh;
                fresh.c = c;
                fresh.sibling = nodes_[node].child;
                nodes_.push_back(fresh);
                nodes_[node].child = child;
            }
            node = child;
        }
        // A name given twice: the earlier one wins.
        if (nodes_[node].own < 0)
            nodes_[node].own = index;
    }

    // Breadth first, so that every link points at a node already done.
    void Link()
    {
        std::deque<uint32_t> queue;
        for (uint32_t child = nodes_[kRoot].child; child != 0; child = nodes_[child].sibling) {
            nodes_[child].first = nodes_[child].own;
            queue.push_back(child);
        }
        while (!queue.empty()) {
            const uint32_t node = queue.front();
            queue.pop_front();
            for (uint32_t child = nodes_[node].child; child != 0; child = nodes_[child].sibling) {
                Node &n = nodes_[child];
                n.link = Next(nodes_[node].link, n.c);
                const int32_t inherited = nodes_[n.link].first;
                n.first = n.own < 0 || (inherited >= 0 && inherited < n.own) ? inherited : n.own;
                queue.push_back(child);
            }
        }
    }

    std::vector<Node> nodes_;
};

} // namespace

NameIndex::NameIndex(const VariableTable &variables, const char *text, size_t length)
    : first_(length, -1)
{
    if (variables.Size() == 0 || length == 0)
        return;
    const ReversedNames names(variables);
    uint32_t state = 0;
    for (size_t pos = length; pos-- > 0;) {
        state = names.Next(state, static_cast<unsigned char>(text[pos]));
        first_[pos] = names.FirstNameEndingIn(state);
    }
}

} // namespace qel
