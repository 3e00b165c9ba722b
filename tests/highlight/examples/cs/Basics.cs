#region Demo
using System;
#define TRACE /* directive
comment */ more
#if DEBUG \
    && TRACE
namespace Demo {
    /* block
       comment */
    public sealed class Basics {
        private const ulong Big = 0xFFUL;
        public string Name(int count) {
            char c = 'x';
            string s = "a \"q\" b" + @"c:\dir";
            count <<= 2; count += 1..Length;
            return s; // done
        }
    }
}
#endregion // end
