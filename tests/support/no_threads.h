#pragma once
// While it lives, new threads cannot be created: their default stack is
// larger than any address space, so std::thread throws std::system_error
// as it does when the process limit is reached.
#include <pthread.h>

#include <cstddef>

namespace veltrum {

class NoThreads {
 public:
  NoThreads() {
    pthread_getattr_default_np(&saved_);
    pthread_attr_t huge;
    pthread_attr_init(&huge);
    pthread_attr_setstacksize(&huge, std::size_t{1} << 50);
    pthread_setattr_default_np(&huge);
    pthread_attr_destroy(&huge);
  }
  ~NoThreads() {
    pthread_setattr_default_np(&saved_);
    pthread_attr_destroy(&saved_);
  }
  NoThreads(const NoThreads&) = delete;
  NoThreads& operator=(const NoThreads&) = delete;

 private:
  pthread_attr_t saved_;
};

}  // namespace veltrum
