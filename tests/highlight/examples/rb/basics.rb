# A small class with the usual constructs.
require 'set'

module Shapes
  class Circle
    attr :radius
    def initialize(radius)
      @radius = radius
    end

    def area
      3.14159 * @radius ** 2
    end

    def to_s
      "Circle(#{@radius})"
    end
  end
end

shapes = [1, 2.5, 1e3].map { |r| Shapes::Circle.new(r) }
shapes.each do |s|
  puts s.to_s unless s.area > 1000
end
BEGIN { print 'start' }
x = nil if false
$stdout.puts "done"   # trailing comment
(1..10).step(2) { |i| yield i }
