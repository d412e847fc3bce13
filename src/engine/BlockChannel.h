#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace kivo {

// A fixed set of blocks that pass from one thread that fills them to another
// that takes them in order and gives them back: the producer waits while every
// block is in use, so memory stays bounded however far it could run ahead.
template <class Block>
class BlockChannel {
  public:
    explicit BlockChannel(std::size_t blocks) : pool_(blocks) {
        for (Block& block : pool_)
            empty_.push_back(&block);
    }

    // Producer: a block to fill; null once the channel is stopped.
    Block* TakeEmpty() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || !empty_.empty(); });
        if (stopped_)
            return nullptr;
        Block* block = empty_.front();
        empty_.pop_front();
        return block;
    }
    // Producer: hands a filled block on.
    void Publish(Block* block) {
        const std::lock_guard lock(mutex_);
        filled_.push_back(block);
        ++pending_;
        changed_.notify_all();
    }
    // Producer: no block follows.
    void Finish() {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    // Consumer: the next filled block; null once the channel is stopped, or
    // finished with no block left.
    Block* TakeFilled() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || finished_ || !filled_.empty(); });
        if (stopped_ || filled_.empty())
            return nullptr;
        Block* block = filled_.front();
        filled_.pop_front();
        return block;
    }
    // Consumer: gives a block back once it is done with it.
    void Recycle(Block* block) {
        const std::lock_guard lock(mutex_);
        empty_.push_back(block);
        --pending_;
        changed_.notify_all();
    }

    // Producer: waits until the consumer has given back every block handed
    // on, or the channel is stopped.
    void WaitUntilConsumed() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || pending_ == 0; });
    }

    // Either side: no block passes any more; every waiting call returns.
    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

  private:
    std::vector<Block> pool_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block*> empty_, filled_;
    std::size_t pending_ = 0;  // handed on, not yet given back
    bool finished_ = false;
    bool stopped_ = false;
};

}  // namespace kivo
