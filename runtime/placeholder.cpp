namespace vb {}
